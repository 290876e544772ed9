#include <gtest/gtest.h>

#include "editor/core/undo_stack.h"
#include "editor_test_support.h"

namespace {

TEST(UndoStack, KeepsTheTwoNewestSnapshots) {
  TDvSkinSource Source;
  TUndoStack Stack;
  for (const char* Name : {"First", "Second", "Third"}) Stack.Push(std::make_unique<TStateClass>(Source, Name, ""));
  EXPECT_EQ(Stack.Count(), 2);
  EXPECT_EQ(Stack.Pop()->RootName(), "Third");
  EXPECT_EQ(Stack.Pop()->RootName(), "Second");
  EXPECT_EQ(Stack.Pop(), nullptr);
}

TEST(UndoStack, SnapshotRestoresTheSkinAsItWas) {
  TDvSkinSource Source;
  AddImage(Source, "frame", 0xFF336699);
  TDvSkinObject* Form = AddTopLevel(Source, "Form", TDvKind::skForm, Rect(0, 0, 120, 90));
  AddChild(Form, "Title", Rect(0, 0, 120, 18))->SetColor(0x00445566);
  const TStateClass State(Source, "Form", "Title");
  Form->Child(0)->SetColor(clRed);
  AddTopLevel(Source, "Later", TDvKind::skNone, Rect(0, 0, 5, 5));

  const std::unique_ptr<TDvSkinSource> Restored = State.Restore();
  EXPECT_STREQ(State.ClassName(), "TStateClass");
  EXPECT_EQ(State.SelectedName(), "Title");
  ASSERT_EQ(Restored->ObjectCount(), 1);
  ASSERT_EQ(Restored->Objects(0)->ChildCount(), 1);
  EXPECT_EQ(Restored->Objects(0)->Child(0)->Color(), 0x00445566);
  EXPECT_EQ(Restored->Objects(0)->BoundsRect(), Rect(0, 0, 120, 90));
  ASSERT_EQ(Restored->Images().Count(), 1);
  EXPECT_EQ(Restored->Images().Items(0)->Name(), "frame");
  // Restoring twice gives the same skin again: the stream is rewound each time.
  EXPECT_EQ(State.Restore()->ObjectCount(), 1);
}

}  // namespace
