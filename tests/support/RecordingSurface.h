#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/Surface.h"
#include "display/TextLayout.h"

namespace vw::test {

// One draw or copy made on a RecordingSurface, with the font and colour held at the time.
struct SurfaceCall {
  bool copy = false;  // CopyFrom; otherwise DrawText
  int x = 0, y = 0;   // the text's corner, or the copy's target rectangle
  int width = 0, height = 0;
  const ISurface* source = nullptr;  // a copy's source
  std::string text;
  float size = 0;
  bool bold = false, italic = false, underline = false;
  ColorValue color = 0;
};

// A surface that draws nothing, records every draw and copy and measures with a fixed
// metric: a character is size x 0.5 pixels wide, a line size x 1.5 high, so at 20 points
// 10 and 30. Starts as the display's surfaces do: black, "Arial" at 8.25 points, plain.
class RecordingSurface : public ISurface {
 public:
  explicit RecordingSurface(int width = 0, int height = 0) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Resize(int width, int height) override { width_ = width, height_ = height; }
  void SetFontName(const std::string& face) override { face_ = face; }
  void SetFontSize(float points) override { size_ = points; }
  float FontSize() const override { return size_; }
  void SetFontBold(bool on) override { bold_ = on; }
  void SetFontItalic(bool on) override { italic_ = on; }
  void SetFontUnderline(bool on) override { underline_ = on; }
  void SetTextColor(ColorValue color) override { color_ = color; }

  float TextWidth(const std::string& text) override {
    ++measureCount;
    return static_cast<float>(CountCharacters(text)) * size_ * 0.5f;
  }
  float TextHeight(const std::string&) override {
    ++measureCount;
    return size_ * 1.5f;
  }
  // The box is the text's cell by this surface's metric.
  PixelBox DrawText(int x, int y, const std::string& text) override {
    SurfaceCall call;
    call.x = x, call.y = y, call.text = text;
    Record(std::move(call));
    return {x, y, x + static_cast<int>(TextWidth(text)), y + static_cast<int>(TextHeight(text))};
  }
  void CopyFrom(const ISurface& src, int x, int y, int width, int height, int, int) override {
    SurfaceCall call;
    call.copy = true, call.x = x, call.y = y, call.width = width, call.height = height;
    call.source = &src;
    Record(std::move(call));
  }

  // The face last set; the other font settings are recorded with each call.
  const std::string& FontName() const { return face_; }
  std::vector<SurfaceCall> Draws() const { return Of(false); }
  std::vector<SurfaceCall> Copies() const { return Of(true); }
  void ClearCalls() {
    calls.clear();
    measureCount = 0;
  }

  std::vector<SurfaceCall> calls;
  int measureCount = 0;

 private:
  void Record(SurfaceCall call) {
    call.size = size_, call.bold = bold_, call.italic = italic_, call.underline = underline_;
    call.color = color_;
    calls.push_back(std::move(call));
  }
  std::vector<SurfaceCall> Of(bool copy) const {
    std::vector<SurfaceCall> out;
    for (const SurfaceCall& c : calls)
      if (c.copy == copy) out.push_back(c);
    return out;
  }

  int width_, height_;
  std::string face_ = "Arial";
  float size_ = 8.25f;
  bool bold_ = false, italic_ = false, underline_ = false;
  ColorValue color_ = 0;
};

}  // namespace vw::test
