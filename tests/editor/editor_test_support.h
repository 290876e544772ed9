// Scripted answers for the editor's prompts, and small skins built in the tests.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "editor/core/editor_prompts.h"
#include "vexel/skin/theme_dv3source.h"

// Answers from queues; asking with an empty queue is a test failure (an unexpected prompt).
class TScriptedPrompts : public TEditorPrompts {
 public:
  std::deque<TPromptAnswer> Answers;
  std::deque<std::optional<std::string>> OpenFiles, SaveFiles;
  std::vector<std::string> Questions, Messages, DialogTitles;
  bool Unexpected = false;

  TPromptAnswer Confirm(const std::string& Text) override {
    Questions.push_back(Text);
    return Take(Answers, TPromptAnswer::paCancel);
  }
  std::optional<std::string> ChooseOpenFile(const std::string& Title, const std::string&) override {
    DialogTitles.push_back(Title);
    return Take(OpenFiles, std::optional<std::string>());
  }
  std::optional<std::string> ChooseSaveFile(const std::string& Title, const std::string&) override {
    DialogTitles.push_back(Title);
    return Take(SaveFiles, std::optional<std::string>());
  }
  void ShowMessage(const std::string& Text) override { Messages.push_back(Text); }

 private:
  template <typename T>
  T Take(std::deque<T>& Queue, T Otherwise) {
    if (Queue.empty()) {
      Unexpected = true;
      return Otherwise;
    }
    T Value = Queue.front();
    Queue.pop_front();
    return Value;
  }
};

// A folder of its own under the system's temporary folder, removed afterwards.
class TTempFolder {
 public:
  TTempFolder() {
    static int Counter = 0;
    FPath = std::filesystem::temp_directory_path() /
            ("editor_core_" + std::to_string(std::random_device{}()) + "_" + std::to_string(++Counter));
    std::filesystem::create_directories(FPath);
  }
  ~TTempFolder() {
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
  }
  std::string File(const std::string& Name) const { return (FPath / Name).string(); }

 private:
  std::filesystem::path FPath;
};

template <typename TClass = TDvSkinObject>
TClass* AddChild(TDvSkinObject* Owner, const std::string& Name, TRect R) {
  auto* Child = new TClass(Owner);
  Child->SetName(Name);
  Child->SetBounds(R);
  return Child;
}

template <typename TClass = TDvSkinObject>
TClass* AddTopLevel(TDvSkinSource& Source, const std::string& Name, TDvKind Kind, TRect R) {
  auto Object = std::make_unique<TClass>();
  Object->SetName(Name);
  Object->SetKind(Kind);
  Object->SetBounds(R);
  Object->SetImageList(&Source.Images());
  TClass* Raw = Object.get();
  Source.AddObject(std::move(Object));
  return Raw;
}

// A 4 x 4 image of one colour under Name.
inline void AddImage(TDvSkinSource& Source, const std::string& Name, TvxColor Color) {
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(4, 4);
  Image->Fill(Color);
  Image->SetName(Name);
  Source.Images().Add(std::move(Image));
}
