#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "display/TextLayout.h"
#include "core/Surface.h"

namespace vw::test {

// One call made on a RecordingSurface, with the font and colour the surface held when it
// was made.
struct SurfaceCall {
  enum class Kind {
    kResize,
    kSetFontName,
    kSetFontSize,
    kSetFontBold,
    kSetFontItalic,
    kSetFontUnderline,
    kSetTextColor,
    kDrawText,
    kCopyFrom,
  };
  Kind kind = Kind::kDrawText;
  // DrawText: the top-left corner. CopyFrom: the target rectangle. Resize: the new size.
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  // CopyFrom: the source surface and the source corner.
  const ISurface* source = nullptr;
  int srcX = 0;
  int srcY = 0;
  // DrawText: the text. SetFontName: the face.
  std::string text;
  // Font and colour after the call.
  float size = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  ColorValue color = 0;
};

// A surface that draws nothing, records every call and measures with a fixed metric:
//   TextWidth(s)  = characters of s (code points) x size x 0.5
//   TextHeight(s) = size x 1.5, whatever s holds
// so at 20 points a character is 10 pixels wide and a line 30 pixels high. Starts as the
// display's surfaces do: black, "Arial" at 8.25 points, bold, italic and underline off.
class RecordingSurface : public ISurface {
 public:
  explicit RecordingSurface(int width = 0, int height = 0) : width_(width), height_(height) {}

  static float WidthOf(std::size_t characters, float size) {
    return static_cast<float>(characters) * size * 0.5f;
  }
  static float HeightAt(float size) { return size * 1.5f; }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Resize(int width, int height) override {
    width_ = width;
    height_ = height;
    SurfaceCall& call = Record(SurfaceCall::Kind::kResize);
    call.width = width;
    call.height = height;
  }

  void SetFontName(const std::string& face) override {
    face_ = face;
    Record(SurfaceCall::Kind::kSetFontName).text = face;
  }
  std::string FontName() const override { return face_; }
  void SetFontSize(float points) override {
    size_ = points;
    Record(SurfaceCall::Kind::kSetFontSize);
  }
  float FontSize() const override { return size_; }
  void SetFontBold(bool on) override {
    bold_ = on;
    Record(SurfaceCall::Kind::kSetFontBold);
  }
  void SetFontItalic(bool on) override {
    italic_ = on;
    Record(SurfaceCall::Kind::kSetFontItalic);
  }
  void SetFontUnderline(bool on) override {
    underline_ = on;
    Record(SurfaceCall::Kind::kSetFontUnderline);
  }
  bool FontBold() const override { return bold_; }
  bool FontItalic() const override { return italic_; }
  bool FontUnderline() const override { return underline_; }

  void SetTextColor(ColorValue color) override {
    color_ = color;
    Record(SurfaceCall::Kind::kSetTextColor);
  }
  ColorValue TextColor() const override { return color_; }

  float TextWidth(const std::string& text) override {
    ++measureCount;
    return WidthOf(CountCharacters(text), size_);
  }
  float TextHeight(const std::string&) override {
    ++measureCount;
    return HeightAt(size_);
  }
  void DrawText(int x, int y, const std::string& text) override {
    SurfaceCall& call = Record(SurfaceCall::Kind::kDrawText);
    call.x = x;
    call.y = y;
    call.text = text;
  }
  void CopyFrom(const ISurface& src, int x, int y, int width, int height, int srcX,
                int srcY) override {
    SurfaceCall& call = Record(SurfaceCall::Kind::kCopyFrom);
    call.source = &src;
    call.x = x;
    call.y = y;
    call.width = width;
    call.height = height;
    call.srcX = srcX;
    call.srcY = srcY;
  }

  std::vector<SurfaceCall> CallsOf(SurfaceCall::Kind kind) const {
    std::vector<SurfaceCall> out;
    for (const SurfaceCall& c : calls)
      if (c.kind == kind) out.push_back(c);
    return out;
  }
  std::vector<SurfaceCall> Draws() const { return CallsOf(SurfaceCall::Kind::kDrawText); }
  std::vector<SurfaceCall> Copies() const { return CallsOf(SurfaceCall::Kind::kCopyFrom); }
  void ClearCalls() {
    calls.clear();
    measureCount = 0;
  }

  std::vector<SurfaceCall> calls;
  int measureCount = 0;

 private:
  SurfaceCall& Record(SurfaceCall::Kind kind) {
    SurfaceCall call;
    call.kind = kind;
    call.size = size_;
    call.bold = bold_;
    call.italic = italic_;
    call.underline = underline_;
    call.color = color_;
    calls.push_back(std::move(call));
    return calls.back();
  }

  int width_;
  int height_;
  std::string face_ = "Arial";
  float size_ = 8.25f;
  bool bold_ = false;
  bool italic_ = false;
  bool underline_ = false;
  ColorValue color_ = 0;
};

}  // namespace vw::test
