#include "editor/images/folder_tree.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "editor/core/image_export.h"

namespace {

// Children of unread nodes: a placeholder, so the tree shows the button that opens them.
char PlaceholderTag;

bool IsPlaceholder(const TTreeNode* Node) { return Node && Node->Data() == &PlaceholderTag; }

bool SameFolderName(const std::string& A, const std::string& B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
           return std::tolower(static_cast<unsigned char>(X)) == std::tolower(static_cast<unsigned char>(Y));
         });
}

// Subfolder names of Folder (with its trailing separator), sorted with letter case ignored.
std::vector<std::string> SubFolders(const std::string& Folder, bool FirstOnly) {
  std::vector<std::string> Names;
  WIN32_FIND_DATAA Found;
  HANDLE Search = FindFirstFileA((Folder + "*").c_str(), &Found);
  if (Search == INVALID_HANDLE_VALUE) return Names;
  do {
    const std::string Name = Found.cFileName;
    if (!(Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || Name == "." || Name == "..") continue;
    if (Found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    Names.push_back(Name);
  } while (!(FirstOnly && !Names.empty()) && FindNextFileA(Search, &Found));
  FindClose(Search);
  std::sort(Names.begin(), Names.end(), [](const std::string& A, const std::string& B) {
    return std::lexicographical_compare(A.begin(), A.end(), B.begin(), B.end(), [](char X, char Y) {
      return std::tolower(static_cast<unsigned char>(X)) < std::tolower(static_cast<unsigned char>(Y));
    });
  });
  return Names;
}

}  // namespace

void TFolderTree::SetRoot(const std::string& Root) {
  Items().BeginUpdate();
  Items().Clear();
  if (!Root.empty()) AddFolder(nullptr, Root);
  Items().EndUpdate();
}

void TFolderTree::AddFolder(TTreeNode* Parent, const std::string& Name) {
  TTreeNode* Node = Items().AddChild(Parent, Name);
  if (!SubFolders(PathOf(Node), true).empty()) Items().AddChild(Node, "")->SetData(&PlaceholderTag);
}

std::string TFolderTree::PathOf(const TTreeNode* Node) const {
  if (!Node) return {};
  if (!Node->Parent()) return WithTrailingSeparator(Node->Text());
  return PathOf(Node->Parent()) + Node->Text() + "\\";
}

void TFolderTree::FillNode(TTreeNode* Node) {
  if (!Node || !IsPlaceholder(Node->GetFirstChild())) return;
  Items().BeginUpdate();
  Node->GetFirstChild()->Delete();
  for (const std::string& Name : SubFolders(PathOf(Node), false)) AddFolder(Node, Name);
  Items().EndUpdate();
}

TTreeNode* TFolderTree::OpenPath(const std::string& Folder) {
  TTreeNode* Node = Items().GetFirstNode();
  if (!Node) return nullptr;
  const std::string Root = PathOf(Node);
  if (Folder.size() < Root.size() || !SameFolderName(Folder.substr(0, Root.size()), Root)) return nullptr;
  size_t Start = Root.size();
  while (Start < Folder.size()) {
    size_t End = Folder.find_first_of("\\/", Start);
    if (End == std::string::npos) End = Folder.size();
    const std::string Part = Folder.substr(Start, End - Start);
    Start = End + 1;
    if (Part.empty()) continue;
    FillNode(Node);
    TTreeNode* Next = nullptr;
    for (Integer I = 0; I < Node->Count() && !Next; ++I) {
      if (SameFolderName(Node->Item(I)->Text(), Part)) Next = Node->Item(I);
    }
    if (!Next) break;
    Node->Expand();
    Node = Next;
  }
  SetSelected(Node);
  return Node;
}

void TFolderTree::CreateParams(TCreateParams& Params) {
  TTreeView::CreateParams(Params);
  // The chosen folder stays marked while the user types in the edit or presses Export.
  Params.Style |= TVS_SHOWSELALWAYS;
}

void TFolderTree::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    const auto* Header = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (Header->code == TVN_ITEMEXPANDINGA || Header->code == TVN_ITEMEXPANDINGW) {
      const auto* Notify = reinterpret_cast<const NMTREEVIEWA*>(Message.LParam);
      if (Notify->action & TVE_EXPAND) FillNode(reinterpret_cast<TTreeNode*>(Notify->itemNew.lParam));
      Message.Result = 0;
      return;
    }
  }
  TTreeView::Dispatch(Message);
}
