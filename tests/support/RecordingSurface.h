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
  const ISurface* source = nullptr;  // a copy's source, and where in it the copy starts
  int srcX = 0, srcY = 0;
  std::string text, face;
  float size = 0;
  bool bold = false, italic = false, underline = false;
  ColorValue color = 0;
};

// A surface that draws nothing, records every draw and copy and the fonts it measures in,
// and measures with a fixed metric: a character is size x 0.5 pixels wide, a line size x 1.5
// high, so at 20 points 10 and 30, in plain "Arial". Any other face is wider, by 1 + (letters
// of its name mod 8) tenths, bold by a fifth, italic by a tenth, so that lines broken in
// another font than they are drawn in show. Starts as the display's surfaces do: black,
// "Arial" at 8.25 points, plain.
class RecordingSurface : public ISurface {
 public:
  explicit RecordingSurface(int width = 0, int height = 0) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Resize(int width, int height) override { width_ = width, height_ = height; }
  void SetFontName(const std::string& face) override { face_ = face; }
  void SetFontSize(float points) override { size_ = points; }
  float FontSize() const { return size_; }
  void SetFontBold(bool on) override { bold_ = on; }
  void SetFontItalic(bool on) override { italic_ = on; }
  void SetFontUnderline(bool on) override { underline_ = on; }
  void SetTextColor(ColorValue color) override { color_ = color; }

  float TextWidth(const std::string& text) override {
    Measured();
    const float face = face_ == "Arial" ? 1.0f : 1.1f + 0.1f * static_cast<float>(face_.size() % 8);
    return static_cast<float>(CountCharacters(text)) * size_ * 0.5f * face * (bold_ ? 1.2f : 1.0f) *
           (italic_ ? 1.1f : 1.0f);
  }
  float TextHeight(const std::string&) override {
    Measured();
    return size_ * 1.5f;
  }
  // The box is the text's cell by this surface's metric.
  PixelBox DrawText(int x, int y, const std::string& text) override {
    SurfaceCall call;
    call.x = x, call.y = y, call.text = text;
    Record(std::move(call));
    return {x, y, x + static_cast<int>(TextWidth(text)), y + static_cast<int>(TextHeight(text))};
  }
  void CopyFrom(const ISurface& src, int x, int y, int width, int height, int srcX,
                int srcY) override {
    SurfaceCall call;
    call.copy = true, call.x = x, call.y = y, call.width = width, call.height = height;
    call.source = &src, call.srcX = srcX, call.srcY = srcY;
    Record(std::move(call));
  }

  std::vector<SurfaceCall> Draws() const { return Of(false); }
  std::vector<SurfaceCall> Copies() const { return Of(true); }
  // A copy as "x,y WxH", with " from X,Y" when it was taken from another place of its source
  // than the one it lands on (the renderer's copies keep their place).
  static std::string Place(const SurfaceCall& c) {
    auto pair = [](int a, int b, char sep) { return std::to_string(a) + sep + std::to_string(b); };
    return pair(c.x, c.y, ',') + " " + pair(c.width, c.height, 'x') +
           (c.srcX == c.x && c.srcY == c.y ? "" : " from " + pair(c.srcX, c.srcY, ','));
  }
  void ClearCalls() {
    calls.clear();
    measures.clear();
    measureCount = 0;
  }

  std::vector<SurfaceCall> calls;
  // The fonts measured in, each time it changed: the first measurement in each font.
  std::vector<SurfaceCall> measures;
  int measureCount = 0;

 private:
  void Record(SurfaceCall call, std::vector<SurfaceCall>* into = nullptr) {
    call.face = face_, call.size = size_, call.bold = bold_, call.italic = italic_;
    call.underline = underline_, call.color = color_;
    (into ? *into : calls).push_back(std::move(call));
  }
  void Measured() {
    ++measureCount;
    const SurfaceCall* last = measures.empty() ? nullptr : &measures.back();
    if (!last || last->face != face_ || last->size != size_ || last->bold != bold_ ||
        last->italic != italic_)
      Record(SurfaceCall{}, &measures);
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
