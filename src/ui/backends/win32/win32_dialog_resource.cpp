#include "ui/backends/win32/win32_dialog_resource.h"

#include <commctrl.h>

#include "ui/backends/win32/win32_text.h"

namespace setup {

namespace {

constexpr WORD ATOM_BUTTON = 0x0080;
constexpr WORD ATOM_EDIT = 0x0081;
constexpr WORD ATOM_STATIC = 0x0082;
constexpr WORD ATOM_LISTBOX = 0x0083;
constexpr WORD ATOM_COMBOBOX = 0x0085;

class ResourceWriter {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void DoubleWord(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Short(int value) { Word(static_cast<WORD>(static_cast<short>(value))); }
  void Text(const std::wstring& text) {
    for (wchar_t c : text) Word(static_cast<WORD>(c));
    Word(0);
  }
  // Each item template starts on a DWORD boundary.
  void AlignToDoubleWord() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<WORD> Take() { return std::move(words_); }

 private:
  std::vector<WORD> words_;
};

}  // namespace

ControlClass ClassOf(const ControlTemplate& control) {
  const DWORD tab = WS_TABSTOP;
  switch (control.kind) {
    case ControlKind::PushButton:
      return {L"BUTTON", ATOM_BUTTON, BS_PUSHBUTTON | tab, 0};
    case ControlKind::DefPushButton:
      return {L"BUTTON", ATOM_BUTTON, BS_DEFPUSHBUTTON | tab, 0};
    case ControlKind::GroupBox:
      return {L"BUTTON", ATOM_BUTTON, BS_GROUPBOX, 0};
    case ControlKind::Static:
      // Texts from the disc show as they are: an '&' in a product name is no mnemonic.
      return {L"STATIC", ATOM_STATIC, SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::Icon:
      return {L"STATIC", ATOM_STATIC, SS_ICON, 0};
    case ControlKind::Edit:
      return {L"EDIT", ATOM_EDIT, ES_LEFT | ES_AUTOHSCROLL | tab, WS_EX_CLIENTEDGE};
    case ControlKind::ComboDropList:
      return {
          L"COMBOBOX", ATOM_COMBOBOX,
          static_cast<DWORD>(CBS_DROPDOWNLIST | WS_VSCROLL | tab | (control.sorted ? CBS_SORT : 0)),
          0};
    case ControlKind::TreeView:
      return {WC_TREEVIEWW, 0,
              TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | tab,
              WS_EX_CLIENTEDGE};
    case ControlKind::CheckList:
      // Not a tab stop: a click gives it the focus and the click hands the focus back.
      return {L"LISTBOX", ATOM_LISTBOX,
              LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER,
              0};
    case ControlKind::ProgressBar:
      return {PROGRESS_CLASSW, 0, WS_BORDER, 0};
  }
  return {L"STATIC", ATOM_STATIC, SS_LEFT, 0};
}

std::vector<WORD> BuildDialogResource(const DialogTemplate& t, const CodePage& code_page) {
  ResourceWriter out;
  // No system menu: the dialogs have no close box.
  out.DoubleWord(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT);
  out.DoubleWord(t.show_in_taskbar ? WS_EX_APPWINDOW : 0);
  out.Word(static_cast<WORD>(t.controls.size()));
  out.Short(0);
  out.Short(0);
  out.Short(t.size.cx);
  out.Short(t.size.cy);
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(ToWide(code_page, t.caption));
  out.Word(static_cast<WORD>(t.font_points));
  out.Text(ToWide(CodePage(), t.font_face));
  for (const ControlTemplate& control : t.controls) {
    const ControlClass cls = ClassOf(control);
    out.AlignToDoubleWord();
    out.DoubleWord(WS_CHILD | (control.hidden ? 0 : WS_VISIBLE) | cls.style);
    out.DoubleWord(cls.ex_style);
    out.Short(control.rect.left);
    out.Short(control.rect.top);
    out.Short(control.rect.Width());
    out.Short(control.rect.Height());
    out.Word(static_cast<WORD>(control.id));  // IDC_STATIC is 0xFFFF, as resources hold it
    if (cls.atom != 0) {
      out.Word(0xFFFF);
      out.Word(cls.atom);
    } else {
      out.Text(cls.name);
    }
    out.Text(control.kind == ControlKind::Icon ? std::wstring() : ToWide(code_page, control.text));
    out.Word(0);  // no creation data
  }
  return out.Take();
}

}  // namespace setup
