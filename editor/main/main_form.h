// TfrmMain: Pellan's one window, a view over the TSkinDocument it owns. The top panel holds the
// document buttons, the zoom box and the object tool bars; the left panel the objects tree; the
// right panel the property inspector; the centre the work area and the pages of images, fonts
// and colours, one in front.
//
// The window code is split in two units: main_form.cpp holds the document side and
// main_form_layout.cpp the controls; the layout unit gets the objects tree as TTreeRow values.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/forms.h"

class TAction;
class TActionList;
class TButton;
class TCharsetPanel;
class TColorsPage;
class TComboBox;
class TEdit;
class TFontDialog;
class TFontsPage;
class TImagesPage;
class TLabel;
class TMainMenu;
class TMenuItem;
class TOpenDialog;
class TPanel;
class TPropertyInspector;
class TSaveDialog;
class TSkinDocument;
class TSysColorsPage;
class TTreeView;
class TfrmPickColor;
class TWindowPrompts;
class TfrmSkinTest;
class TWorkArea;
struct TClassInfo;
struct TTreeModel;

// One line of the objects tree as the tree view shows it.
struct TTreeRow {
  Integer Level = 0;
  std::string Caption;
};

class TfrmMain : public TForm {
 public:
  // The window of the running program: its command line is the process's.
  explicit TfrmMain(TComponent* Owner = nullptr);
  // Arguments without the program name.
  TfrmMain(TComponent* Owner, const std::vector<std::string>& Arguments);
  ~TfrmMain() override;

  // The name under which the skin objects travel through the clipboard.
  static constexpr const char* ClipboardFormatName = "Pellan Skin Object";
  // The address the Help menu opens.
  static constexpr const char* WebAddress = "https://example.org/pellan";

  TSkinDocument& Document() const { return *FDocument; }
  TPropertyInspector* Inspector() const { return FInspector; }
  TTreeView* SkinTree() const { return FSkinTree; }
  TWorkArea* WorkArea() const { return FWorkArea; }
  TComboBox* ScaleBox() const { return FScaleBox; }
  TImagesPage* ImagesPage() const { return FImagesPage; }
  TFontsPage* FontsPage() const { return FFontsPage; }
  TColorsPage* ColorsPage() const { return FColorsPage; }
  TSysColorsPage* SysColorsPage() const { return FSysColorsPage; }
  TCharsetPanel* CharsetPanel() const { return FCharsetPanel; }
  // The screen colour picker, made once with the window; "Pick..." of the top panel shows it.
  TfrmPickColor* Picker() const { return FPicker; }
  TButton* PickButton() const { return FPickButton; }
  // The caption of the panel above the tree.
  const std::string& TreeHeader() const;
  // The strip above the inspector: the inspected object's name and class.
  const std::string& InspectedText() const;
  // 0 work area, 1 images, 2 fonts, 3 colours, 4 system colours: the page in front.
  Integer PageInFront() const;
  const std::string& TempSkinFile() const { return FTempSkinFileName; }
  TOpenDialog* OpenDialog() const { return FOpenDialog; }
  TSaveDialog* SaveDialog() const { return FSaveDialog; }

  // [Document]
  void NewSkin();
  void OpenSkin();
  void SaveSkin();
  void SaveSkinAs();
  // Brings every view in line with the document (the document calls it after each change).
  void RefreshAll();

  // [Commands of the tool bars and the Edit menu]
  void AddObject(const TClassInfo& Class);
  void DeleteSelected();
  void BringObjectToFront();
  void SendObjectToBack();
  void CopyObject();
  void PasteObject();
  void Undo();
  void Redo();
  // "Test": the edited skin on an empty skinned window, shown modally.
  void TestEmptyForm();
  // "Control": the edited skin on a window of every skinned control, shown modally.
  void TestControlsForm();
  // One test window on the edited skin, shown modally; the object identified in it last is selected.
  void RunTestWindow(const std::function<std::unique_ptr<TfrmSkinTest>()>& MakeWindow);
  // The object a test window identified last becomes the selection, as a click in the tree makes it.
  void SelectIdentified(const std::vector<std::string>& Path);

  TActionList* ActionList = nullptr;
  TAction* actnFileNew = nullptr;
  TAction* actnFileOpen = nullptr;
  TAction* actnFileSave = nullptr;
  TAction* actnFileSaveAs = nullptr;
  TAction* actnExport = nullptr;
  TAction* actnUndo = nullptr;
  TAction* actnRedo = nullptr;
  TAction* actnCopy = nullptr;
  TAction* actnPaste = nullptr;
  TAction* actnTestEmpty = nullptr;
  TAction* actnTest = nullptr;

  // The maintenance strip under the top panel, hidden unless the command line asks for it.
  TPanel* SecretPanel = nullptr;
  TFontDialog* FontDialog1 = nullptr;
  TButton* ChangeFontButton = nullptr;
  TEdit* Edit2 = nullptr;  // the colour looked for, in its text form
  TEdit* Edit3 = nullptr;  // the colour put in its place
  TButton* ChangeColorButton = nullptr;
  TButton* RemoveDoubleButton = nullptr;
  TButton* OptimizeButton = nullptr;
  TEdit* Edit4 = nullptr;  // the atlas width
  TEdit* Edit5 = nullptr;  // the atlas height

 private:
  // [Layout] main_form_layout.cpp
  void CreateControls();
  void CreateActions();
  void CreateMenu();
  void CreateTopPanel();
  void CreateObjectToolBars(TWinControl* Parent);
  void CreateSidePanels();
  void CreateSecretPanel();
  void CreatePages();
  // The pages and the charset box edit the document, so they come once it exists.
  void HostDocumentViews();
  // The pages' part of a refresh: the charset box refilled, the lists repainted, the image shown.
  void RefreshPages();
  TPanel* CreateHeader(TWinControl* Parent, const std::string& Caption);
  // Refills the tree view; Selected is a row index or -1. Changes of the selection while it
  // runs are not reported.
  void FillTree(const std::vector<TTreeRow>& Rows, Integer Selected);
  void SetTreeHeader(const std::string& Caption);
  void SetInspectedText(const std::string& Text);
  void BringPageToFront(Integer Page);
  void ChooseTab(Integer Index);

  // [Document side] main_form.cpp
  void FormCreate(const std::vector<std::string>& Arguments);
  void FormDestroy();
  void ViewsRefresh();
  void BuildTree();
  void TreeRowChosen(Integer Row);
  void ShowPage(Integer Page);
  void SelectObjectFromTree(Integer Row);
  void SelectionDragged();
  void ZoomChosen();
  // The images page and the tree header show the document's selected image.
  void ShowSelectedImage();
  void ExportImages();
  void ShowAbout();
  // [Maintenance strip] Errors of the texts show as error messages.
  void RunMaintenance(const std::function<void()>& Tool);
  void ChangeFontClicked();
  void ChangeColorClicked();
  void RemoveDoubleClicked();
  void OptimizeClicked();
  // The inspector shows the selection, else the skin source.
  void SyncInspector();
  // Runs a command that may free the inspected object: the inspector lets go of it first.
  void Replacing(const std::function<void()>& Command);
  void UpdateHistoryActions();
  // Keys on the tree and the work area: Ctrl+C, Ctrl+V, Delete; on the work area the arrows too
  // (one pixel, ten with Shift), a run of them one step ended when the key goes up.
  void ObjectKeyDown(uint16_t& Key, TShiftState Shift, bool WorkArea);
  void WorkAreaKeyUp(uint16_t& Key);

  std::unique_ptr<TWindowPrompts> FPrompts;
  std::unique_ptr<TSkinDocument> FDocument;
  std::unique_ptr<TTreeModel> FTreeModel;  // what the rows of the tree view stand for
  std::string FTempSkinFileName;
  uint32_t FClipboardFormat = 0;
  bool FTreeUpdating = false;
  bool FDestroying = false;

  TPropertyInspector* FInspector = nullptr;
  TTreeView* FSkinTree = nullptr;
  TWorkArea* FWorkArea = nullptr;
  TComboBox* FScaleBox = nullptr;
  TOpenDialog* FOpenDialog = nullptr;
  TSaveDialog* FSaveDialog = nullptr;
  TMainMenu* FMainMenu = nullptr;
  TPanel* FTreeHeader = nullptr;
  TLabel* FInspectedLabel = nullptr;
  TWinControl* FScrollBox = nullptr;
  TPanel* FLeftPanel = nullptr;
  TPanel* FCentre = nullptr;
  TButton* FPickButton = nullptr;
  TfrmPickColor* FPicker = nullptr;
  TImagesPage* FImagesPage = nullptr;
  TFontsPage* FFontsPage = nullptr;
  TColorsPage* FColorsPage = nullptr;
  TSysColorsPage* FSysColorsPage = nullptr;
  TCharsetPanel* FCharsetPanel = nullptr;
  std::vector<TControl*> FPages;      // the five pages of the centre
  std::vector<TControl*> FToolPages;  // "Standard" and "Old"
};
