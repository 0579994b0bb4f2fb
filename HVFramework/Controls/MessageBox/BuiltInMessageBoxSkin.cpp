#include "HVFramework/Controls/MessageBox/BuiltInMessageBoxSkin.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

#include <string_view>

namespace HV {
namespace {

// Solid colours only: nothing to load from files or resources.
constexpr std::string_view kDocument = R"XML(<?xml version="1.0" encoding="UTF-8"?>
<Halvern_Skin_Definitions>
  <Application Name="HVMessageBox">
    <Colorizers>
      <Colorizer Name="Box.Face" ColorType="SolidFill" Color="0xFFF4F5F7" />
      <Colorizer Name="Box.Text" ColorType="SolidFill" Color="0xFF1E2227" />
      <Colorizer Name="Box.Button" ColorType="SolidFill" Color="0xFFE1E4E9" />
      <Colorizer Name="Box.ButtonHover" ColorType="SolidFill" Color="0xFFD3D8DF" />
      <Colorizer Name="Box.ButtonPressed" ColorType="SolidFill" Color="0xFFC0C7D1" />
      <Colorizer Name="Box.Accent" ColorType="SolidFill" Color="0xFF2E6FC7" />
      <Colorizer Name="Box.Disabled" ColorType="SolidFill" Color="0xFF9AA1AB" />
      <Colorizer Name="Box.Clear" ColorType="SolidFill" Color="0x00000000" />
    </Colorizers>
    <Parts>
      <Part Name="Box.Face" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Box.Face" />
      <Part Name="Box.Text" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Box.Text" />
      <Part Name="Box.Button" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Box.Button" />
      <Part Name="Box.ButtonHover" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Box.ButtonHover" />
      <Part Name="Box.ButtonPressed" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Box.ButtonPressed" />
      <Part Name="Box.Accent" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Box.Accent" />
      <Part Name="Box.Disabled" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Box.Disabled" />
      <Part Name="Box.Clear" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Box.Clear" />
    </Parts>
    <Looks>
      <Look Name="Box.Face">
        <ClientPart Name="Box.Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0" />
      </Look>
      <Look Name="Box.Clear">
        <ClientPart Name="Box.Clear" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0" />
      </Look>
      <Look Name="Box.Message">
        <ClientPart Name="Box.Clear" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0" />
        <TextProperties TextLeftRel="0" TextLeftAbs="0" TextRightRel="1" TextRightAbs="0" TextHAlign="0" TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0" TextForegroundPart="Box.Text" />
      </Look>
      <Look Name="Box.Button.Normal">
        <ClientPart Name="Box.Button" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0" />
        <TextProperties TextLeftRel="0" TextLeftAbs="4" TextRightRel="1" TextRightAbs="-4" TextHAlign="0.5" TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0.5" TextForegroundPart="Box.Text" />
      </Look>
      <Look Name="Box.Button.Hover">
        <ClientPart Name="Box.ButtonHover" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0" />
        <TextProperties TextLeftRel="0" TextLeftAbs="4" TextRightRel="1" TextRightAbs="-4" TextHAlign="0.5" TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0.5" TextForegroundPart="Box.Text" />
      </Look>
      <Look Name="Box.Button.Pressed">
        <ClientPart Name="Box.ButtonPressed" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0" />
        <TextProperties TextLeftRel="0" TextLeftAbs="4" TextRightRel="1" TextRightAbs="-4" TextHAlign="0.5" TextTopRel="0" TextTopAbs="1" TextBottomRel="1" TextBottomAbs="1" TextVAlign="0.5" TextForegroundPart="Box.Text" />
      </Look>
      <Look Name="Box.Button.Focused">
        <ClientPart Name="Box.Button" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="-2" />
        <NonClientParts Name="FocusLine">
          <NonClientPart Name="Box.Accent" OffsetLeft="0" OffsetRight="0" OffsetBottom="0" Height="2" />
        </NonClientParts>
        <TextProperties TextLeftRel="0" TextLeftAbs="4" TextRightRel="1" TextRightAbs="-4" TextHAlign="0.5" TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0.5" TextForegroundPart="Box.Text" />
      </Look>
      <Look Name="Box.Button.FocusedHover">
        <ClientPart Name="Box.ButtonHover" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="-2" />
        <NonClientParts Name="FocusLine">
          <NonClientPart Name="Box.Accent" OffsetLeft="0" OffsetRight="0" OffsetBottom="0" Height="2" />
        </NonClientParts>
        <TextProperties TextLeftRel="0" TextLeftAbs="4" TextRightRel="1" TextRightAbs="-4" TextHAlign="0.5" TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0.5" TextForegroundPart="Box.Text" />
      </Look>
      <Look Name="Box.Button.FocusedPressed">
        <ClientPart Name="Box.ButtonPressed" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="-2" />
        <NonClientParts Name="FocusLine">
          <NonClientPart Name="Box.Accent" OffsetLeft="0" OffsetRight="0" OffsetBottom="0" Height="2" />
        </NonClientParts>
        <TextProperties TextLeftRel="0" TextLeftAbs="4" TextRightRel="1" TextRightAbs="-4" TextHAlign="0.5" TextTopRel="0" TextTopAbs="1" TextBottomRel="1" TextBottomAbs="1" TextVAlign="0.5" TextForegroundPart="Box.Text" />
      </Look>
      <Look Name="Box.Button.Disabled">
        <ClientPart Name="Box.Button" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0" />
        <TextProperties TextLeftRel="0" TextLeftAbs="4" TextRightRel="1" TextRightAbs="-4" TextHAlign="0.5" TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0.5" TextForegroundPart="Box.Disabled" />
      </Look>
    </Looks>
    <LookLists>
      <LookList Name="Box.Face.1" NumLooks="1"><Look Name="Box.Face" Index="0" /></LookList>
      <LookList Name="Box.Clear.1" NumLooks="1"><Look Name="Box.Clear" Index="0" /></LookList>
      <LookList Name="Box.Message.1" NumLooks="1"><Look Name="Box.Message" Index="0" /></LookList>
      <LookList Name="Box.Button.14" NumLooks="14">
        <Look Name="Box.Button.Normal" Index="0" />
        <Look Name="Box.Button.Hover" Index="1" />
        <Look Name="Box.Button.Pressed" Index="2" />
        <Look Name="Box.Button.Focused" Index="3" />
        <Look Name="Box.Button.FocusedHover" Index="4" />
        <Look Name="Box.Button.FocusedPressed" Index="5" />
        <Look Name="Box.Button.Disabled" Index="6" />
        <Look Name="Box.Button.Normal" Index="7" />
        <Look Name="Box.Button.Hover" Index="8" />
        <Look Name="Box.Button.Pressed" Index="9" />
        <Look Name="Box.Button.Focused" Index="10" />
        <Look Name="Box.Button.FocusedHover" Index="11" />
        <Look Name="Box.Button.FocusedPressed" Index="12" />
        <Look Name="Box.Button.Disabled" Index="13" />
      </LookList>
    </LookLists>
    <Skins>
      <Skin Name="MessageBox" FontName="DejaVu Sans" FontSize="10" FontStyle="0">
        <SubControl Class="Framework.MessageBox" Name="messageBox" IsVisible="False" XSizeAbs="360" YSizeAbs="140">
          <Skin Name="Box.Face" LookList="Box.Face.1" />
          <SubControl Class="Framework.Label" Name="icon" XPositionAbs="16" YPositionAbs="16" XSizeAbs="32" YSizeAbs="32">
            <Skin Name="Box.Clear" LookList="Box.Clear.1" />
          </SubControl>
          <SubControl Class="Framework.Label" Name="message" XPositionAbs="62" YPositionAbs="16" XSizeAbs="282" YSizeAbs="32" TextOverflowXType="Wrap">
            <Skin Name="Box.Message" LookList="Box.Message.1" />
          </SubControl>
          <SubControl Class="Framework.Button" Name="buttonOK" TabStop="1" XPositionAbs="16" YPositionAbs="96" XSizeAbs="90" YSizeAbs="28">
            <Skin Name="Box.Button" LookList="Box.Button.14" />
          </SubControl>
          <SubControl Class="Framework.Button" Name="buttonCancel" TabStop="2" XPositionAbs="26" YPositionAbs="96" XSizeAbs="90" YSizeAbs="28">
            <Skin Name="Box.Button" LookList="Box.Button.14" />
          </SubControl>
          <SubControl Class="Framework.Button" Name="buttonYes" TabStop="3" XPositionAbs="36" YPositionAbs="96" XSizeAbs="90" YSizeAbs="28">
            <Skin Name="Box.Button" LookList="Box.Button.14" />
          </SubControl>
          <SubControl Class="Framework.Button" Name="buttonNo" TabStop="4" XPositionAbs="46" YPositionAbs="96" XSizeAbs="90" YSizeAbs="28">
            <Skin Name="Box.Button" LookList="Box.Button.14" />
          </SubControl>
          <SubControl Class="Framework.Button" Name="buttonAbort" TabStop="5" XPositionAbs="56" YPositionAbs="96" XSizeAbs="90" YSizeAbs="28">
            <Skin Name="Box.Button" LookList="Box.Button.14" />
          </SubControl>
          <SubControl Class="Framework.Button" Name="buttonRetry" TabStop="6" XPositionAbs="66" YPositionAbs="96" XSizeAbs="90" YSizeAbs="28">
            <Skin Name="Box.Button" LookList="Box.Button.14" />
          </SubControl>
          <SubControl Class="Framework.Button" Name="buttonIgnore" TabStop="7" XPositionAbs="76" YPositionAbs="96" XSizeAbs="90" YSizeAbs="28">
            <Skin Name="Box.Button" LookList="Box.Button.14" />
          </SubControl>
        </SubControl>
      </Skin>
    </Skins>
  </Application>
</Halvern_Skin_Definitions>)XML";

}  // namespace

BuiltInMessageBoxSkin::BuiltInMessageBoxSkin()
    : mFactory(std::make_unique<LControlFactory>(StringW(u"HVMessageBox"))) {}

BuiltInMessageBoxSkin::~BuiltInMessageBoxSkin() = default;

RCPtr<LControlDescriptor> BuiltInMessageBoxSkin::GetDescriptor() {
  if (!mIsRead) {
    mIsRead = true;
    mFactory->Parse(reinterpret_cast<const uint8_t*>(kDocument.data()), kDocument.size());
  }
  return mFactory->FindControlDescriptor(StringW(u"messageBox"));
}

}  // namespace HV
