// The bits of a title font's style, as the settings keep it and the skin
// window draws it; the settings page edits them.
#ifndef ZANTO_COMMON_FONT_STYLE_H
#define ZANTO_COMMON_FONT_STYLE_H

constexpr int kFontBold = 1;
constexpr int kFontItalic = 2;
constexpr int kFontUnderline = 4;

#endif
