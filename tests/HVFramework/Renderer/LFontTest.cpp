#include "HVFramework/Renderer/LFont.h"

#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "tests/support/FakeMeasurer.h"

#include <gtest/gtest.h>

namespace HV {
namespace {

TEST(LFont, PoolHandsOutOneFontPerNameSizeAndStyle) {
  RCPtr<LFont> arial = LFont::FindOrCreate(u"PoolArial", 10, LFont::Regular);
  EXPECT_EQ(LFont::FindOrCreate(u"poolarial", 10, LFont::Regular), arial);
  EXPECT_EQ(LFont::FindOrCreate(u"POOLARIAL", 10.0f, 0), arial);
  EXPECT_NE(LFont::FindOrCreate(u"PoolArial", 10.5f, LFont::Regular), arial);
  EXPECT_NE(LFont::FindOrCreate(u"PoolArial", 10, LFont::Bold), arial);
  EXPECT_EQ(arial->GetName(), u"PoolArial");
  EXPECT_EQ(arial->GetSize(), 10.0f);
}

TEST(LFont, FontReleasedByEveryHolderLeavesThePool) {
  const uint32_t before = LFont::GetPoolCount();
  RCPtr<LFont> font = LFont::FindOrCreate(u"Leaving", 12, LFont::Italic);
  const uint32_t id = font->GetUniqueID();
  EXPECT_EQ(LFont::GetPoolCount(), before + 1);
  font = nullptr;
  EXPECT_EQ(LFont::GetPoolCount(), before);
  RCPtr<LFont> again = LFont::FindOrCreate(u"Leaving", 12, LFont::Italic);
  EXPECT_GT(again->GetUniqueID(), id);
}

TEST(LFont, MetricsComeFromTheApplicationRendererOnce) {
  RCPtr<HV::Test::FakeMeasurer> measurer = HV::Test::FakeMeasurer::Create();
  SetApplicationRenderer(measurer);
  RCPtr<LFont> font = LFont::FindOrCreate(u"MetricsOnce", 9, LFont::Regular);
  measurer->shouldRefuse = true;
  EXPECT_EQ(font->GetHeight(), -1);  // a refusal is not kept: asked again next time
  measurer->shouldRefuse = false;
  EXPECT_EQ(font->GetHeight(), 16);
  EXPECT_EQ(font->GetAscent(), -12);
  EXPECT_EQ(font->GetDescent(), 4);
  EXPECT_EQ(measurer->metricsRequests, 2);
  SetApplicationRenderer(nullptr);
}

}  // namespace
}  // namespace HV
