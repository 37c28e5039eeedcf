#pragma once
// Colours are 32-bit values with red in the low byte, then green, then blue. A top byte of
// 0xFF names a system colour (its low byte is the system colour index); clNone (0x1FFFFFFF)
// is the absence of a colour. Colours stored in the database or the settings are these
// values as integers.

#include <cstdint>

using TColor = std::int32_t;

constexpr TColor RGBCouleur(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RougeDe(TColor c) { return c & 0xFF; }
constexpr int VertDe(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BleuDe(TColor c) { return (c >> 16) & 0xFF; }
constexpr bool EstCouleurSysteme(TColor c) {
  return (static_cast<std::uint32_t>(c) & 0xFF000000u) == 0xFF000000u;
}
constexpr TColor CouleurSysteme(int index) {
  return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index));
}

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

// System colours, by their index.
constexpr TColor clScrollBar = CouleurSysteme(0);
constexpr TColor clBackground = CouleurSysteme(1);
constexpr TColor clActiveCaption = CouleurSysteme(2);
constexpr TColor clInactiveCaption = CouleurSysteme(3);
constexpr TColor clMenu = CouleurSysteme(4);
constexpr TColor clWindow = CouleurSysteme(5);
constexpr TColor clWindowFrame = CouleurSysteme(6);
constexpr TColor clMenuText = CouleurSysteme(7);
constexpr TColor clWindowText = CouleurSysteme(8);
constexpr TColor clCaptionText = CouleurSysteme(9);
constexpr TColor clActiveBorder = CouleurSysteme(10);
constexpr TColor clInactiveBorder = CouleurSysteme(11);
constexpr TColor clAppWorkSpace = CouleurSysteme(12);
constexpr TColor clHighlight = CouleurSysteme(13);
constexpr TColor clHighlightText = CouleurSysteme(14);
constexpr TColor clBtnFace = CouleurSysteme(15);
constexpr TColor clBtnShadow = CouleurSysteme(16);
constexpr TColor clGrayText = CouleurSysteme(17);
constexpr TColor clBtnText = CouleurSysteme(18);
constexpr TColor clInactiveCaptionText = CouleurSysteme(19);
constexpr TColor clBtnHighlight = CouleurSysteme(20);
constexpr TColor cl3DDkShadow = CouleurSysteme(21);
constexpr TColor cl3DLight = CouleurSysteme(22);
constexpr TColor clInfoText = CouleurSysteme(23);
constexpr TColor clInfoBk = CouleurSysteme(24);
constexpr TColor clHotLight = CouleurSysteme(26);
constexpr TColor clGradientActiveCaption = CouleurSysteme(27);
constexpr TColor clGradientInactiveCaption = CouleurSysteme(28);
constexpr TColor clMenuHighlight = CouleurSysteme(29);
constexpr TColor clMenuBar = CouleurSysteme(30);
