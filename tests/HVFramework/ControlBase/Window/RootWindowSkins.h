#pragma once

// Skins shared by the root-window tests. Positions are absolute, in the
// parent's coordinates; the root control "main" fills the 400 x 300 window.

namespace HV::Test {

// Two panels of two and one buttons; "free" does not clip to its parent: it
// covers "a3" and reaches below panel a, over "under".
constexpr const char* kPanelsSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.Input" Name="a" XPositionAbs="0" YPositionAbs="0" XSizeAbs="200" YSizeAbs="100" TabStop="1">
      <SubControl Class="Test.Input" Name="a1" XPositionAbs="10" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="1"/>
      <SubControl Class="Test.Input" Name="a2" XPositionAbs="70" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="2"/>
      <SubControl Class="Test.Input" Name="a3" XPositionAbs="10" YPositionAbs="88" XSizeAbs="50" YSizeAbs="10" TabStop="-1"/>
      <SubControl Class="Test.Input" Name="free" XPositionAbs="10" YPositionAbs="90" XSizeAbs="50" YSizeAbs="40" TabStop="-1" ClipToParent="False"/>
    </SubControl>
    <SubControl Class="Test.Input" Name="b" XPositionAbs="0" YPositionAbs="150" XSizeAbs="200" YSizeAbs="100" TabStop="2">
      <SubControl Class="Test.Input" Name="b1" XPositionAbs="10" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="1"/>
    </SubControl>
    <SubControl Class="Test.Input" Name="under" XPositionAbs="0" YPositionAbs="105" XSizeAbs="100" YSizeAbs="40" TabStop="-1"/>
  </SubControl>
</Skin></Skins>)";

}  // namespace HV::Test
