#include <gtest/gtest.h>

#include "editor/core/selection_geometry.h"
#include "editor_test_support.h"

namespace {

TEST(SelectionGeometry, WorkAreaPixelsBecomeSkinPointsRoundedHalfToEven) {
  struct Case {
    TPoint Pixel;
    float Zoom;
    TPoint Skin;
  };
  const Case Cases[] = {
      {{10, 6}, 4.0f, {2, 2}},   // 2.5 -> 2, 1.5 -> 2
      {{14, 2}, 4.0f, {4, 0}},   // 3.5 -> 4, 0.5 -> 0
      {{12, 20}, 8.0f, {2, 2}},  // 1.5 -> 2, 2.5 -> 2
      {{5, 7}, 2.0f, {2, 4}},    // 2.5 -> 2, 3.5 -> 4
      {{13, 11}, 4.0f, {3, 3}},  // 3.25 -> 3, 2.75 -> 3
      {{7, 9}, 1.0f, {7, 9}},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(SkinPointFromWorkArea(C.Pixel, C.Zoom), C.Skin) << C.Pixel.X << "," << C.Pixel.Y << " at " << C.Zoom;
}

TEST(SelectionGeometry, RoundHalfEvenOnBothSidesOfZero) {
  const std::pair<double, Integer> Cases[] = {{2.5, 2},  {3.5, 4},  {-2.5, -2}, {-1.5, -2},
                                              {0.49, 0}, {0.51, 1}, {-0.51, -1}};
  for (auto [Value, Rounded] : Cases) EXPECT_EQ(RoundHalfEven(Value), Rounded) << Value;
  EXPECT_EQ(ZoomedLength(5, 0.5f), 2);
  EXPECT_EQ(ZoomedLength(7, 0.5f), 4);
}

TEST(SelectionGeometry, ZoomBoxIndexes) {
  EXPECT_EQ(ZoomFromIndex(0), 1.0f);
  EXPECT_EQ(ZoomFromIndex(1), 2.0f);
  EXPECT_EQ(ZoomFromIndex(2), 4.0f);
  EXPECT_EQ(ZoomFromIndex(3), 8.0f);
  EXPECT_FALSE(ZoomFromIndex(-1));
  EXPECT_FALSE(ZoomFromIndex(4));
}

TEST(SelectionGeometry, HandleSquaresAroundAnObject) {
  const TRect Object = Rect(10, 10, 21, 31);
  const TRect Expected[HandleCount] = {Rect(12, 17, 18, 23),  // centre: (31 div 2 - 3, 41 div 2 - 3)
                                       Rect(7, 7, 13, 13), Rect(18, 7, 24, 13), Rect(7, 28, 13, 34),
                                       Rect(18, 28, 24, 34)};
  for (Integer I = 0; I < HandleCount; ++I) EXPECT_EQ(HandleRect(Object, I), Expected[I]) << "handle " << I;
}

TEST(SelectionGeometry, CentreHandleDividesTowardZero) {
  // (-7 + 0) div 2 is -3, not -4 as flooring would give.
  EXPECT_EQ(HandleRect(Rect(-7, -7, 0, 0), 0), Rect(-6, -6, 0, 0));
}

TEST(SelectionGeometry, HandleUnderAPointAndItsCursor) {
  const TRect Object = Rect(10, 10, 21, 31);
  struct Case {
    TPoint P;
    std::optional<Integer> Handle;
  };
  const Case Cases[] = {{{12, 17}, 0}, {{17, 22}, 0}, {{18, 23}, std::nullopt}, {{7, 7}, 1}, {{23, 12}, 2},
                        {{7, 33}, 3},  {{20, 30}, 4}, {{15, 12}, std::nullopt}};
  for (const Case& C : Cases) EXPECT_EQ(HandleAtPoint(Object, C.P), C.Handle) << C.P.X << "," << C.P.Y;
  // On a tiny object the squares overlap: the lower index wins.
  EXPECT_EQ(HandleAtPoint(Rect(0, 0, 2, 2), {0, 0}), 0);

  const TWorkAreaCursor Cursors[HandleCount] = {TWorkAreaCursor::wcSizeAll, TWorkAreaCursor::wcSizeNWSE,
                                                TWorkAreaCursor::wcSizeNESW, TWorkAreaCursor::wcSizeNESW,
                                                TWorkAreaCursor::wcSizeNWSE};
  for (Integer I = 0; I < HandleCount; ++I) EXPECT_EQ(HandleCursor(I), Cursors[I]) << "handle " << I;
}

TEST(SelectionGeometry, DraggingAHandleMovesItsEdges) {
  const TRect Object = Rect(10, 10, 21, 31);
  const TRect Expected[HandleCount] = {Rect(13, 6, 24, 27), Rect(13, 6, 21, 31), Rect(10, 6, 24, 31),
                                       Rect(13, 10, 21, 27), Rect(10, 10, 24, 27)};
  for (Integer I = 0; I < HandleCount; ++I) EXPECT_EQ(DraggedBounds(Object, I, 3, -4), Expected[I]) << "handle " << I;
}

TEST(SelectionGeometry, TopLevelObjectFollowsTheOwners) {
  TDvSkinSource Source;
  TDvSkinObject* Form = AddTopLevel(Source, "Form", TDvKind::skForm, Rect(0, 0, 100, 100));
  TDvSkinObject* Child = AddChild(Form, "Child", Rect(0, 0, 50, 50));
  TDvSkinObject* Grandchild = AddChild(Child, "Grandchild", Rect(0, 0, 10, 10));
  EXPECT_EQ(TopLevelObject(Grandchild), Form);
  EXPECT_EQ(TopLevelObject(Form), Form);
  EXPECT_EQ(TopLevelObject(nullptr), nullptr);
}

}  // namespace
