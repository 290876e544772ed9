#include "editor/inspector/inspector_rows.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

#include "framework/core/component.h"
#include "framework/core/sysutils.h"

namespace {

constexpr int MaxLevel = 8;  // sub-objects that hold each other must not open forever

// Components are renamed in the inspector, though the name is stored apart from the table.
const TPropInfo& ComponentNameProperty() {
  static const TPropInfo Info = [] {
    TPropInfo I{};
    I.Name = "Name";
    I.Kind = TPropKind::pkString;
    I.GetString = [](const TPersistent* O) -> std::string { return static_cast<const TComponent*>(O)->Name(); };
    I.SetString = [](TPersistent* O, const std::string& V) { static_cast<TComponent*>(O)->SetName(V); };
    return I;
  }();
  return Info;
}

bool IsHidden(const TRowOptions& Options, const std::string& Name, const std::string& Path) {
  return std::any_of(Options.Hidden.begin(), Options.Hidden.end(),
                     [&](const std::string& H) { return SameText(H, Name) || SameText(H, Path); });
}

std::vector<const TPropInfo*> ShownProperties(const TPersistent& Object, const std::string& Prefix,
                                              const TRowOptions& Options) {
  std::vector<const TPropInfo*> Props = Object.ClassInfo().AllProperties();
  if (dynamic_cast<const TComponent*>(&Object) && !Object.ClassInfo().FindProperty("Name"))
    Props.push_back(&ComponentNameProperty());
  std::erase_if(Props, [&](const TPropInfo* P) { return IsHidden(Options, P->Name, Prefix + P->Name); });
  std::stable_sort(Props.begin(), Props.end(),
                   [](const TPropInfo* A, const TPropInfo* B) { return LowerCase(A->Name) < LowerCase(B->Name); });
  return Props;
}

std::span<const char* const> MemberNames(const TPropInfo& Prop) {
  return Prop.Enum ? Prop.Enum->Names : std::span<const char* const>{};
}

// Fills in whether Row opens, from the object chain above it.
void SetExpandable(TInspectorRow& Row, const TRowOptions& Options, const std::vector<const TPersistent*>& Chain) {
  if (Row.Member >= 0) return;
  if (Row.Prop->Kind == TPropKind::pkSet) {
    Row.Expandable = !MemberNames(*Row.Prop).empty();
  } else if (Row.Prop->Kind == TPropKind::pkClass) {
    const TPersistent* Object = RowObject(Row);
    Row.Expandable = Object && Row.Level < MaxLevel && std::find(Chain.begin(), Chain.end(), Object) == Chain.end() &&
                     !ShownProperties(*Object, Row.Path + ".", Options).empty();
  }
}

void AddRows(TPersistent* Object, const std::string& Prefix, int Level, const TRowOptions& Options,
             const TPathSet& Expanded, std::vector<const TPersistent*>& Chain, std::vector<TInspectorRow>& Rows) {
  Chain.push_back(Object);
  for (const TPropInfo* Prop : ShownProperties(*Object, Prefix, Options)) {
    TInspectorRow Row;
    Row.Path = Prefix + Prop->Name;
    Row.Name = Prop->Name;
    Row.Level = Level;
    Row.Instance = Object;
    Row.Prop = Prop;
    SetExpandable(Row, Options, Chain);
    Row.Expanded = Row.Expandable && Expanded.count(PathKey(Row.Path));
    Rows.push_back(Row);
    if (!Row.Expanded) continue;
    if (Prop->Kind == TPropKind::pkSet) {
      const auto Names = MemberNames(*Prop);
      for (size_t I = 0; I < Names.size(); ++I) {
        TInspectorRow Sub = Row;
        Sub.Path = Row.Path + "." + Names[I];
        Sub.Name = Names[I];
        Sub.Level = Level + 1;
        Sub.Member = int(I);
        Sub.Expandable = Sub.Expanded = false;
        Rows.push_back(Sub);
      }
    } else {
      AddRows(RowObject(Row), Row.Path + ".", Level + 1, Options, Expanded, Chain, Rows);
    }
  }
  Chain.pop_back();
}

std::string Trimmed(const std::string& S) {
  size_t B = 0, E = S.size();
  while (B < E && std::isspace(uint8_t(S[B]))) ++B;
  while (E > B && std::isspace(uint8_t(S[E - 1]))) --E;
  return S.substr(B, E - B);
}

// A decimal Integer, or "$" and up to eight hexadecimal digits (read as the 32 bits they are).
bool ParseInteger(const std::string& S, int64_t& Value) {
  if (S.empty()) return false;
  const char* First = S.data();
  const char* Last = S.data() + S.size();
  if (*First == '$') {
    uint64_t U = 0;
    const auto [End, Error] = std::from_chars(First + 1, Last, U, 16);
    if (First + 1 == Last || Error != std::errc() || End != Last || U > 0xFFFFFFFFu) return false;
    Value = int32_t(uint32_t(U));
    return true;
  }
  if (*First == '+') ++First;
  const auto [End, Error] = std::from_chars(First, Last, Value, 10);
  return First != Last && Error == std::errc() && End == Last && Value >= std::numeric_limits<int32_t>::min() &&
         Value <= std::numeric_limits<int32_t>::max();
}

std::optional<bool> ParseBoolean(const std::string& S) {
  if (SameText(S, "True")) return true;
  if (SameText(S, "False")) return false;
  return std::nullopt;
}

TRowValue Refused(const std::string& Text, const std::string& What) {
  TRowValue V;
  V.Error = "'" + Text + "' is not a valid " + What;
  return V;
}

TRowValue Accepted(int64_t Ordinal) {
  TRowValue V;
  V.Ok = true;
  V.Ordinal = Ordinal;
  return V;
}

}  // namespace

std::string PathKey(const std::string& Path) { return LowerCase(Path); }

std::vector<TInspectorRow> BuildInspectorRows(TPersistent* Root, const TRowOptions& Options, const TPathSet& Expanded) {
  std::vector<TInspectorRow> Rows;
  if (!Root) return Rows;
  std::vector<const TPersistent*> Chain;
  AddRows(Root, "", 0, Options, Expanded, Chain, Rows);
  return Rows;
}

bool FindInspectorRow(TPersistent* Root, const TRowOptions& Options, const std::string& Path, TInspectorRow& Row) {
  if (!Root || Path.empty()) return false;
  std::vector<const TPersistent*> Chain;
  TPersistent* Object = Root;
  std::string Prefix;
  size_t Start = 0;
  for (int Level = 0;; ++Level) {
    const size_t Dot = Path.find('.', Start);
    const std::string Part = Path.substr(Start, Dot == std::string::npos ? std::string::npos : Dot - Start);
    const auto Props = ShownProperties(*Object, Prefix, Options);
    const auto It =
        std::find_if(Props.begin(), Props.end(), [&](const TPropInfo* P) { return SameText(P->Name, Part); });
    if (It == Props.end()) return false;
    Chain.push_back(Object);
    TInspectorRow Found;
    Found.Path = Prefix + (*It)->Name;
    Found.Name = (*It)->Name;
    Found.Level = Level;
    Found.Instance = Object;
    Found.Prop = *It;
    if (Dot == std::string::npos) {
      Chain.pop_back();
      SetExpandable(Found, Options, Chain);
      Row = Found;
      return true;
    }
    Start = Dot + 1;
    if (Found.Prop->Kind == TPropKind::pkSet) {
      const std::string MemberName = Path.substr(Start);
      const int Member = Found.Prop->Enum ? Found.Prop->Enum->IndexOf(MemberName) : -1;
      if (Member < 0) return false;
      Found.Path += "." + std::string(Found.Prop->Enum->Names[size_t(Member)]);
      Found.Name = Found.Prop->Enum->Names[size_t(Member)];
      Found.Level = Level + 1;
      Found.Member = Member;
      Row = Found;
      return true;
    }
    TPersistent* Next = Found.Prop->Kind == TPropKind::pkClass ? RowObject(Found) : nullptr;
    if (!Next || Level + 1 > MaxLevel || std::find(Chain.begin(), Chain.end(), Next) != Chain.end()) return false;
    Object = Next;
    Prefix = Found.Path + ".";
  }
}

TPersistent* RowObject(const TInspectorRow& Row) {
  if (Row.Member >= 0 || Row.Prop->Kind != TPropKind::pkClass || !Row.Prop->GetObject) return nullptr;
  return Row.Prop->GetObject(Row.Instance);
}

std::string RowValueText(const TInspectorRow& Row, const TRowOptions& Options) {
  const TPropInfo& P = *Row.Prop;
  if (Row.Member >= 0) return (P.GetOrdinal(Row.Instance) >> Row.Member) & 1 ? "True" : "False";
  switch (P.Kind) {
    case TPropKind::pkInteger: return std::to_string(P.GetOrdinal(Row.Instance));
    case TPropKind::pkColor:
    case TPropKind::pkCharset: {
      const int64_t V = P.GetOrdinal(Row.Instance);
      if (const char* Name = P.Idents ? P.Idents->ToIdent(V) : nullptr) return Name;
      return P.Kind == TPropKind::pkColor ? Format("$%08X", unsigned(uint32_t(V))) : std::to_string(V);
    }
    case TPropKind::pkEnum: {
      const int64_t V = P.GetOrdinal(Row.Instance);
      const auto Names = MemberNames(P);
      return V >= 0 && size_t(V) < Names.size() ? Names[size_t(V)] : std::to_string(V);
    }
    case TPropKind::pkBoolean: return P.GetOrdinal(Row.Instance) ? "True" : "False";
    case TPropKind::pkSet: {
      const uint64_t Mask = uint64_t(P.GetOrdinal(Row.Instance));
      const auto Names = MemberNames(P);
      std::string Text;
      for (size_t I = 0; I < Names.size() && I < 64; ++I)
        if (Mask >> I & 1) Text += (Text.empty() ? "" : ",") + std::string(Names[I]);
      return "[" + Text + "]";
    }
    case TPropKind::pkString: return P.GetString(Row.Instance);
    case TPropKind::pkClass: {
      const TPersistent* Object = RowObject(Row);
      if (!Object) return "";
      if (Options.EditorCaption)
        if (std::string Caption = Options.EditorCaption(*Object); !Caption.empty()) return Caption;
      return "(" + std::string(Object->ClassName()) + ")";
    }
    case TPropKind::pkComponent: {
      const TComponent* C = P.GetComponent ? P.GetComponent(Row.Instance) : nullptr;
      return C ? C->Name() : "";
    }
    case TPropKind::pkStrings: return "(TStrings)";
  }
  return "";
}

TRowEditor RowEditor(const TInspectorRow& Row) {
  const TPropInfo& P = *Row.Prop;
  if (Row.Member >= 0) return P.SetOrdinal ? TRowEditor::rePickList : TRowEditor::reNone;
  switch (P.Kind) {
    case TPropKind::pkInteger:
    case TPropKind::pkSet: return P.SetOrdinal ? TRowEditor::reText : TRowEditor::reNone;
    case TPropKind::pkString: return P.SetString ? TRowEditor::reText : TRowEditor::reNone;
    case TPropKind::pkEnum:
    case TPropKind::pkBoolean: return P.SetOrdinal ? TRowEditor::rePickList : TRowEditor::reNone;
    case TPropKind::pkColor:
    case TPropKind::pkCharset: return P.SetOrdinal ? TRowEditor::reTextList : TRowEditor::reNone;
    default: return TRowEditor::reNone;
  }
}

std::vector<std::string> RowPickList(const TInspectorRow& Row) {
  const TPropInfo& P = *Row.Prop;
  if (Row.Member >= 0 || P.Kind == TPropKind::pkBoolean) return {"False", "True"};
  std::vector<std::string> List;
  if (P.Kind == TPropKind::pkEnum) {
    for (const char* Name : MemberNames(P)) List.emplace_back(Name);
  } else if ((P.Kind == TPropKind::pkColor || P.Kind == TPropKind::pkCharset) && P.Idents) {
    for (const TIdentMapEntry& E : P.Idents->Entries) List.emplace_back(E.Name);
  }
  return List;
}

TRowValue ParseRowValue(const TInspectorRow& Row, const std::string& Text) {
  const TPropInfo& P = *Row.Prop;
  if (RowEditor(Row) == TRowEditor::reNone) return Refused(Text, "value for " + Row.Name);
  if (P.Kind == TPropKind::pkString) {
    TRowValue V;
    V.Ok = true;
    V.Text = Text;
    return V;
  }
  const std::string S = Trimmed(Text);
  const std::string ForName = "value for " + Row.Name;
  int64_t Number = 0;
  if (Row.Member >= 0 || P.Kind == TPropKind::pkBoolean) {
    const auto B = ParseBoolean(S);
    return B ? Accepted(*B) : Refused(Text, ForName);
  }
  switch (P.Kind) {
    case TPropKind::pkInteger: return ParseInteger(S, Number) ? Accepted(Number) : Refused(Text, "integer value");
    case TPropKind::pkColor: {
      std::optional<int64_t> V;
      if (P.Idents) V = P.Idents->ToValue(S);
      if (!V && ParseInteger(S, Number)) V = Number;
      return V ? Accepted(*V) : Refused(Text, "color value");
    }
    case TPropKind::pkCharset: {
      std::optional<int64_t> V;
      if (P.Idents) V = P.Idents->ToValue(S);
      if (!V && ParseInteger(S, Number) && Number >= 0 && Number <= 255) V = Number;
      return V ? Accepted(*V) : Refused(Text, ForName);
    }
    case TPropKind::pkEnum: {
      const auto Names = MemberNames(P);
      int64_t Index = P.Enum ? P.Enum->IndexOf(S) : -1;
      if (Index < 0 && ParseInteger(S, Number) && Number >= 0 && size_t(Number) < Names.size()) Index = Number;
      return Index >= 0 ? Accepted(Index) : Refused(Text, ForName);
    }
    case TPropKind::pkSet: {
      std::string Inner = S;
      if (Inner.size() >= 2 && Inner.front() == '[' && Inner.back() == ']') Inner = Inner.substr(1, Inner.size() - 2);
      uint64_t Mask = 0;
      size_t Start = 0;
      while (Start <= Inner.size()) {
        const size_t Comma = std::min(Inner.find(',', Start), Inner.size());
        const std::string Member = Trimmed(Inner.substr(Start, Comma - Start));
        Start = Comma + 1;
        if (Member.empty()) continue;
        const int Index = P.Enum ? P.Enum->IndexOf(Member) : -1;
        if (Index < 0 || Index >= 64) return Refused(Text, ForName);
        Mask |= uint64_t(1) << Index;
      }
      return Accepted(int64_t(Mask));
    }
    default: return Refused(Text, ForName);
  }
}

void ApplyRowValue(const TInspectorRow& Row, const TRowValue& Value) {
  const TPropInfo& P = *Row.Prop;
  if (Row.Member >= 0) {
    const uint64_t Bit = uint64_t(1) << Row.Member;
    const uint64_t Mask = uint64_t(P.GetOrdinal(Row.Instance));
    P.SetOrdinal(Row.Instance, int64_t(Value.Ordinal ? Mask | Bit : Mask & ~Bit));
  } else if (P.Kind == TPropKind::pkString) {
    P.SetString(Row.Instance, Value.Text);
  } else {
    P.SetOrdinal(Row.Instance, Value.Ordinal);
  }
}
