// The resources linked into the built program, read back from Vornet.exe itself: what the
// resource compiler made of the script is what the program shows, so that is what is checked.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cwctype>
#include <ostream>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

// ---------------------------------------------------------------------------------------
// Access to the program file.

std::string ProgramPath() {
#ifdef VORNET_EXE_WINPATH
  std::string path = VORNET_EXE_WINPATH;
#else
  // Without the build's path, look beside this test program.
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  path = path.substr(0, path.find_last_of("\\/") + 1) + "Vornet.exe";
#endif
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

HMODULE Program() {
  static HMODULE module = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  return module;
}

struct Bytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

// Resource types by number, so the lookups do not depend on UNICODE.
constexpr WORD kTypeIcon = 3;
constexpr WORD kTypeDialog = 5;
constexpr WORD kTypeGroupIcon = 14;
constexpr WORD kTypeManifest = 24;

Bytes FindBytes(WORD type, WORD id) {
  Bytes bytes;
  HRSRC found = FindResourceA(Program(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
  if (found == nullptr) return bytes;
  HGLOBAL loaded = LoadResource(Program(), found);
  if (loaded == nullptr) return bytes;
  bytes.data = static_cast<const BYTE*>(LockResource(loaded));
  bytes.size = SizeofResource(Program(), found);
  return bytes;
}

std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
  return text;
}

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Program(), nullptr) << "cannot open " << ProgramPath() << " (error "
                                  << GetLastError() << ")";
  }
};

template <typename Param>
class ProgramResourcesWith : public ::testing::TestWithParam<Param> {
 protected:
  void SetUp() override {
    ASSERT_NE(Program(), nullptr) << "cannot open " << ProgramPath() << " (error "
                                  << GetLastError() << ")";
  }
};

// ---------------------------------------------------------------------------------------
// Context menus.

struct MenuItem {
  const char* text;  // nullptr: a separator
  UINT command;
};

struct MenuCase {
  const char* name;
  WORD id;
  std::vector<MenuItem> items;
};

void PrintTo(const MenuCase& menu, std::ostream* out) { *out << menu.name; }

const MenuItem kSeparator = {nullptr, 0};

const MenuCase kMenus[] = {
    {"ListOpen",
     IDR_MENU_LIST,
     {{"Edit task", 40018},
      {"Change task with a time back", 40022},
      kSeparator,
      {"Close List\tESC", 40007},
      {"Delete task\tDEL", 40010},
      kSeparator,
      {"Sort", 40015},
      kSeparator,
      {"Properties", 40020},
      {"Version", 40002},
      kSeparator,
      {"Exit", 40008}}},
    {"StripOnly",
     IDR_MENU_STRIP,
     {{"Properties", 40020}, {"Version", 40002}, kSeparator, {"Exit", 40008}}},
};

struct ItemInfo {
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  HMENU submenu = nullptr;
  std::string text;
};

ItemInfo ReadItem(HMENU menu, UINT position) {
  char text[256] = {};
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = sizeof text;
  ItemInfo item;
  if (!GetMenuItemInfoA(menu, position, TRUE, &info)) {
    ADD_FAILURE() << "GetMenuItemInfoA failed for position " << position;
    return item;
  }
  item.type = info.fType;
  item.state = info.fState;
  item.id = info.wID;
  item.submenu = info.hSubMenu;
  item.text = text;
  return item;
}

using ContextMenu = ProgramResourcesWith<MenuCase>;

TEST_P(ContextMenu, IsOneHiddenPopupHoldingExactlyTheListedItems) {
  const MenuCase& want = GetParam();
  HMENU bar = LoadMenuA(Program(), MAKEINTRESOURCEA(want.id));
  ASSERT_NE(bar, nullptr);

  ASSERT_EQ(GetMenuItemCount(bar), 1);
  ItemInfo top = ReadItem(bar, 0);
  EXPECT_EQ(top.text, "Menu");
  HMENU popup = GetSubMenu(bar, 0);
  ASSERT_NE(popup, nullptr);

  ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(want.items.size()));
  for (size_t i = 0; i < want.items.size(); ++i) {
    SCOPED_TRACE(::testing::Message() << "item " << i);
    const MenuItem& expected = want.items[i];
    ItemInfo got = ReadItem(popup, static_cast<UINT>(i));
    if (expected.text == nullptr) {
      EXPECT_TRUE(got.type & MFT_SEPARATOR) << "type " << Hex(got.type);
    } else {
      EXPECT_EQ(got.type, static_cast<UINT>(MFT_STRING)) << "type " << Hex(got.type);
      EXPECT_EQ(got.text, expected.text);
      EXPECT_EQ(got.id, expected.command);
    }
    EXPECT_EQ(got.submenu, nullptr);
    EXPECT_FALSE(got.state & MFS_CHECKED);
    if (expected.text != nullptr) {  // separators always read as grey
      EXPECT_FALSE(got.state & MFS_GRAYED);
    }
  }
  DestroyMenu(bar);
}

INSTANTIATE_TEST_SUITE_P(Menus, ContextMenu, ::testing::ValuesIn(kMenus),
                         [](const ::testing::TestParamInfo<MenuCase>& info) {
                           return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------
// Keyboard accelerators.

TEST_F(ProgramResources, AcceleratorsSendTheirCommandsWithoutMenuHighlight) {
  struct Key {
    const char* name;
    BYTE flags;
    WORD key;
    WORD command;
  };
  const Key want[] = {
      {"Ctrl+C", FVIRTKEY | FNOINVERT | FCONTROL, 'C', 40004},
      {"Delete", FVIRTKEY | FNOINVERT, VK_DELETE, 40010},
      {"Esc", FVIRTKEY | FNOINVERT, VK_ESCAPE, 40013},
      {"Enter", FVIRTKEY | FNOINVERT, VK_RETURN, 40012},
  };
  HACCEL table = LoadAcceleratorsA(Program(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  ASSERT_NE(table, nullptr);
  const int count = CopyAcceleratorTableA(table, nullptr, 0);
  ASSERT_EQ(count, 4);
  std::vector<ACCEL> got(count);
  CopyAcceleratorTableA(table, got.data(), count);
  DestroyAcceleratorTable(table);

  for (const Key& key : want) {
    SCOPED_TRACE(key.name);
    int matches = 0;
    for (const ACCEL& entry : got) {
      if (entry.key != key.key || (entry.fVirt & FCONTROL) != (key.flags & FCONTROL)) continue;
      ++matches;
      EXPECT_EQ(entry.cmd, key.command);
      EXPECT_EQ(Hex(entry.fVirt), Hex(key.flags));
    }
    EXPECT_EQ(matches, 1);
  }
}

// ---------------------------------------------------------------------------------------
// Dialog templates, read from the raw DLGTEMPLATE or DLGTEMPLATEEX.

struct Control {
  int id;
  std::wstring cls;  // upper case; ordinal classes by their names
  std::wstring text;
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;
};

struct Dialog {
  DWORD style = 0;
  short cx = 0, cy = 0;
  std::wstring menu, cls, title;
  WORD pointSize = 0;
  std::wstring face;
  std::vector<Control> controls;
};

class TemplateReader {
 public:
  explicit TemplateReader(Bytes bytes) : bytes_(bytes) {}

  bool Failed() const { return failed_; }

  WORD Word() {
    WORD value = 0;
    Copy(&value, sizeof value);
    return value;
  }
  DWORD DWord() {
    DWORD value = 0;
    Copy(&value, sizeof value);
    return value;
  }
  short Short() { return static_cast<short>(Word()); }

  void AlignToDWord() { offset_ = (offset_ + 3) & ~static_cast<DWORD>(3); }

  // A string, or 0xFFFF and an ordinal (returned as "#n").
  std::wstring StringOrOrdinal() {
    WORD first = Word();
    if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
    std::wstring text;
    for (WORD c = first; c != 0 && !failed_; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }

  void Skip(DWORD count) {
    if (offset_ > bytes_.size || count > bytes_.size - offset_) {
      failed_ = true;
      return;
    }
    offset_ += count;
  }

 private:
  void Copy(void* out, DWORD count) {
    if (offset_ > bytes_.size || count > bytes_.size - offset_) {
      failed_ = true;
      return;
    }
    CopyMemory(out, bytes_.data + offset_, count);
    offset_ += count;
  }

  Bytes bytes_;
  DWORD offset_ = 0;
  bool failed_ = false;
};

std::wstring ClassName(std::wstring raw) {
  static const wchar_t* const kOrdinals[] = {L"BUTTON", L"EDIT",      L"STATIC",
                                             L"LISTBOX", L"SCROLLBAR", L"COMBOBOX"};
  if (!raw.empty() && raw[0] == L'#') {
    const int ordinal = std::stoi(raw.substr(1));
    if (ordinal >= 0x80 && ordinal <= 0x85) return kOrdinals[ordinal - 0x80];
    return raw;
  }
  for (wchar_t& c : raw) c = static_cast<wchar_t>(std::towupper(c));
  return raw;
}

bool ParseDialog(Bytes bytes, Dialog* dialog) {
  TemplateReader in(bytes);
  const WORD version = in.Word();
  const WORD signature = in.Word();
  const bool extended = version == 1 && signature == 0xFFFF;
  WORD count = 0;
  if (extended) {
    in.DWord();  // help id
    in.DWord();  // extended style
    dialog->style = in.DWord();
  } else {
    dialog->style = MAKELONG(version, signature);
    in.DWord();  // extended style
  }
  count = in.Word();
  in.Short();  // x
  in.Short();  // y
  dialog->cx = in.Short();
  dialog->cy = in.Short();
  dialog->menu = in.StringOrOrdinal();
  dialog->cls = in.StringOrOrdinal();
  dialog->title = in.StringOrOrdinal();
  if (dialog->style & DS_SETFONT) {
    dialog->pointSize = in.Word();
    if (extended) {
      in.Word();  // weight
      in.Word();  // italic, character set
    }
    dialog->face = in.StringOrOrdinal();
  }
  for (WORD i = 0; i < count && !in.Failed(); ++i) {
    in.AlignToDWord();
    Control control = {};
    if (extended) {
      in.DWord();  // help id
      control.exStyle = in.DWord();
      control.style = in.DWord();
    } else {
      control.style = in.DWord();
      control.exStyle = in.DWord();
    }
    control.x = in.Short();
    control.y = in.Short();
    control.cx = in.Short();
    control.cy = in.Short();
    control.id = extended ? static_cast<int>(in.DWord()) : in.Short();
    control.cls = ClassName(in.StringOrOrdinal());
    control.text = in.StringOrOrdinal();
    in.Skip(in.Word());  // creation data
    dialog->controls.push_back(control);
  }
  return !in.Failed();
}

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
constexpr DWORD kShellFontBox =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS;
constexpr DWORD kNumberField = kShown | WS_BORDER | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL;
constexpr DWORD kNameField = kShown | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL;
constexpr DWORD kLabel = kShown | WS_GROUP | SS_LEFT;
constexpr DWORD kCentredLabel = kShown | WS_GROUP | SS_CENTER;
constexpr DWORD kFrame = kShown | BS_GROUPBOX;
constexpr DWORD kOk = kShown | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kCancel = kShown | WS_TABSTOP | BS_PUSHBUTTON;

struct DialogCase {
  const char* name;
  WORD id;
  Dialog want;
};

void PrintTo(const DialogCase& dialog, std::ostream* out) { *out << dialog.name; }

// MS PGothic under its Japanese name, which the template must carry as UTF-16.
const wchar_t kPGothic[] = L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF";

const DialogCase kDialogs[] = {
    {"Version",
     IDD_VERSION,
     {WS_POPUP | WS_CAPTION | DS_CENTER | DS_SETFONT,
      101,
      54,
      L"",
      L"",
      L"Version",
      9,
      kPGothic,
      {
          {-1, L"STATIC", L"Vornet Ver.1.11", kCentredLabel, 0, 0, 7, 101, 8},
          {-1, L"STATIC", L"A small task timer.", kCentredLabel, 0, 0, 19, 101, 8},
          {IDOK, L"BUTTON", L"OK", kOk, 0, 26, 33, 50, 14},
      }}},
    {"EditTask",
     IDD_EDIT_TASK,
     {kShellFontBox,
      289,
      50,
      L"",
      L"",
      L"Edit task",
      8,
      L"MS Shell Dlg",
      {
          // No ES_AUTOHSCROLL: typing stops at the field's right edge.
          {1000, L"EDIT", L"", kShown | WS_BORDER | WS_TABSTOP | ES_LEFT, 0, 6, 7, 276, 14},
          {IDOK, L"BUTTON", L"OK", kOk, 0, 172, 29, 50, 14},
          {IDCANCEL, L"BUTTON", L"Cancel", kCancel, 0, 232, 29, 50, 14},
      }}},
    {"Properties",
     IDD_PROPERTIES,
     {kShellFontBox,
      291,
      176,
      L"",
      L"",
      L"Properties",
      8,
      L"MS Shell Dlg",
      {
          {IDOK, L"BUTTON", L"OK", kOk, 0, 172, 155, 50, 14},
          {IDCANCEL, L"BUTTON", L"Cancel", kCancel, 0, 234, 155, 50, 14},
          {-1, L"BUTTON", L"Font", kFrame, 0, 7, 7, 277, 29},
          {1002, L"COMBOBOX", L"", kShown | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 18,
           17, 133, 114},
          {1018, L"BUTTON", L"bold", kShown | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 163, 20, 29, 10},
          {-1, L"STATIC", L"Size", kShown | SS_LEFT, 0, 210, 20, 14, 8},
          {1019, L"EDIT", L"", kShown | WS_BORDER | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, 0,
           231, 17, 35, 14},
          {-1, L"BUTTON", L"Window", kFrame, 0, 7, 40, 277, 29},
          {1020, L"BUTTON", L"Always front", kShown | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 15, 53,
           57, 10},
          {-1, L"STATIC", L"Transparent", kShown | SS_LEFT, 0, 76, 54, 40, 8},
          {1021, L"SCROLLBAR", L"", kShown | SBS_HORZ, 0, 120, 52, 113, 11},
          {-1, L"STATIC", L"Non-\ntransparent", kShown | SS_LEFT, 0, 241, 50, 40, 17},
          {-1, L"BUTTON", L"Color", kFrame, 0, 7, 73, 277, 79},
          {1008, L"BUTTON", L"Back", kShown | BS_AUTORADIOBUTTON, 0, 60, 82, 31, 10},
          {1009, L"BUTTON", L"Text1", kShown | BS_AUTORADIOBUTTON, 0, 102, 82, 35, 10},
          {1010, L"BUTTON", L"Text2", kShown | BS_AUTORADIOBUTTON, 0, 153, 82, 35, 10},
          {1011, L"BUTTON", L"Frame", kShown | BS_AUTORADIOBUTTON, 0, 206, 82, 36, 10},
          {1015, L"EDIT", L"", kShown | ES_READONLY | WS_TABSTOP, 0, 12, 98, 26, 14},
          {1016, L"EDIT", L"", kShown | ES_READONLY | WS_TABSTOP, 0, 12, 115, 26, 14},
          {1017, L"EDIT", L"", kShown | ES_READONLY | WS_TABSTOP, 0, 12, 132, 26, 14},
          {1005, L"SCROLLBAR", L"", kShown | SBS_HORZ, 0, 45, 98, 147, 11},
          {1006, L"SCROLLBAR", L"", kShown | SBS_HORZ, 0, 45, 116, 147, 11},
          {1007, L"SCROLLBAR", L"", kShown | SBS_HORZ, 0, 45, 135, 147, 11},
      }}},
    {"Backdated",
     IDD_BACKDATED,
     {kShellFontBox,
      185,
      142,
      L"",
      L"",
      L"Change task with a time back",
      8,
      L"MS Shell Dlg",
      {
          // Template order is the tab order.
          {IDOK, L"BUTTON", L"OK", kOk, 0, 73, 121, 50, 14},
          {IDCANCEL, L"BUTTON", L"Cancel", kCancel, 0, 128, 121, 50, 14},
          {1023, L"EDIT", L"", kNameField, WS_EX_STATICEDGE, 44, 15, 130, 14},
          {1024, L"EDIT", L"", kNameField, 0, 60, 31, 107, 14},
          {1027, L"EDIT", L"", kNumberField, 0, 58, 91, 25, 14},
          {-1, L"STATIC", L":", kCentredLabel, 0, 88, 94, 8, 8},
          {-1, L"STATIC", L":", kCentredLabel, 0, 128, 94, 8, 8},
          {1028, L"EDIT", L"", kNumberField, 0, 100, 91, 25, 14},
          {1029, L"EDIT", L"", kNumberField, 0, 140, 91, 25, 14},
          {1030, L"EDIT", L"", kNameField, WS_EX_STATICEDGE, 44, 52, 130, 14},
          {-1, L"BUTTON", L"", kFrame, 0, 7, 44, 171, 68},
          {-1, L"BUTTON", L"", kFrame, 0, 7, 7, 171, 42},
          {1031, L"EDIT", L"", kNumberField, 0, 58, 70, 36, 14},
          {-1, L"STATIC", L"/", kCentredLabel, 0, 97, 72, 8, 8},
          {1032, L"EDIT", L"", kNumberField, 0, 107, 70, 25, 14},
          {-1, L"STATIC", L"/", kCentredLabel, 0, 134, 72, 8, 8},
          {1033, L"EDIT", L"", kNumberField, 0, 144, 70, 25, 14},
          {-1, L"STATIC", L"Start time", kLabel, 0, 20, 81, 32, 8},
          {-1, L"STATIC", L"Start time", kLabel, 0, 20, 31, 32, 8},
          {-1, L"STATIC", L"Last task:", kLabel, 0, 10, 16, 32, 8},
          {-1, L"STATIC", L"New task:", kLabel, 0, 10, 54, 33, 8},
      }}},
};

using DialogTemplate = ProgramResourcesWith<DialogCase>;

TEST_P(DialogTemplate, HasTheListedFrameFontAndControlsInTabOrder) {
  const DialogCase& param = GetParam();
  const Dialog& want = param.want;
  Bytes bytes = FindBytes(kTypeDialog, param.id);
  ASSERT_NE(bytes.data, nullptr);
  Dialog got;
  ASSERT_TRUE(ParseDialog(bytes, &got)) << "template ends early";

  EXPECT_EQ(Hex(got.style), Hex(want.style));
  EXPECT_EQ(got.cx, want.cx);
  EXPECT_EQ(got.cy, want.cy);
  EXPECT_EQ(got.menu, L"");
  EXPECT_EQ(got.cls, L"") << "a private class would hide it from lookups by #32770";
  EXPECT_EQ(got.title, want.title);
  EXPECT_EQ(got.pointSize, want.pointSize);
  EXPECT_EQ(got.face, want.face);

  ASSERT_EQ(got.controls.size(), want.controls.size());
  for (size_t i = 0; i < want.controls.size(); ++i) {
    const Control& w = want.controls[i];
    const Control& g = got.controls[i];
    SCOPED_TRACE(::testing::Message() << "control " << i << ", id " << w.id);
    EXPECT_EQ(g.id, w.id);
    EXPECT_EQ(g.cls, w.cls);
    EXPECT_EQ(g.text, w.text);
    EXPECT_EQ(Hex(g.style), Hex(w.style));
    EXPECT_EQ(Hex(g.exStyle), Hex(w.exStyle));
    EXPECT_EQ(g.x, w.x);
    EXPECT_EQ(g.y, w.y);
    EXPECT_EQ(g.cx, w.cx);
    EXPECT_EQ(g.cy, w.cy);
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogTemplate, ::testing::ValuesIn(kDialogs),
                         [](const ::testing::TestParamInfo<DialogCase>& info) {
                           return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------
// Icon and manifest.

TEST_F(ProgramResources, IconOffersSmallAndLargeAlphaImagesWithTransparentCorners) {
  Bytes group = FindBytes(kTypeGroupIcon, IDI_VORNET);
  ASSERT_NE(group.data, nullptr);
  ASSERT_GE(group.size, 6u);
  WORD count = 0;
  CopyMemory(&count, group.data + 4, sizeof count);
  ASSERT_GE(group.size, 6u + 14u * count);

  std::vector<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    const BYTE* entry = group.data + 6 + 14 * i;  // GRPICONDIRENTRY, packed
    WORD bits = 0, id = 0;
    CopyMemory(&bits, entry + 6, sizeof bits);
    CopyMemory(&id, entry + 12, sizeof id);
    const int size = entry[0] == 0 ? 256 : entry[0];
    sizes.push_back(size);
    SCOPED_TRACE(::testing::Message() << size << " pixels");
    EXPECT_EQ(bits, 32);

    Bytes image = FindBytes(kTypeIcon, id);
    ASSERT_NE(image.data, nullptr);
    BITMAPINFOHEADER header = {};
    ASSERT_GE(image.size, sizeof header + 4u * size * size);
    CopyMemory(&header, image.data, sizeof header);
    ASSERT_EQ(header.biSize, sizeof header);
    EXPECT_EQ(header.biWidth, size);
    EXPECT_EQ(header.biHeight, 2 * size);
    EXPECT_EQ(header.biBitCount, 32);
    // BGRA rows bottom-up: check alpha in a corner and in the middle.
    const BYTE* pixels = image.data + sizeof header;
    auto alpha = [&](int x, int y) { return pixels[4 * ((size - 1 - y) * size + x) + 3]; };
    EXPECT_EQ(alpha(0, size - 1), 0);
    EXPECT_EQ(alpha(size - 1, size - 1), 0);
    EXPECT_EQ(alpha(size / 2, size / 2 + 1), 255);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));

  // The system picks the 16 pixel image for the tray and can build an icon from it.
  const int smallId = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group.data), TRUE, 16, 16,
                                                LR_DEFAULTCOLOR);
  Bytes image = FindBytes(kTypeIcon, static_cast<WORD>(smallId));
  ASSERT_NE(image.data, nullptr);
  HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data), image.size, TRUE,
                                        0x00030000, 16, 16, LR_DEFAULTCOLOR);
  ASSERT_NE(icon, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour = {};
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 16);
  EXPECT_EQ(colour.bmHeight, 16);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
}

TEST_F(ProgramResources, ManifestAsksToRunAsInvokerWithoutUiAccess) {
  Bytes manifest = FindBytes(kTypeManifest, IDR_MANIFEST);
  ASSERT_NE(manifest.data, nullptr);
  const std::string text(reinterpret_cast<const char*>(manifest.data), manifest.size);
  EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos) << text;
  EXPECT_NE(text.find("uiAccess=\"false\""), std::string::npos) << text;
  EXPECT_EQ(text.find("requireAdministrator"), std::string::npos);
}

}  // namespace
