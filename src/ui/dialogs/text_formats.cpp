#include "ui/dialogs/text_formats.h"

#include <map>

#include "config/setup_texts.h"

namespace setup {

namespace {

constexpr TextFormatArg PRODUCT{FormatArg::Type::String, "the main product name"};
constexpr TextFormatArg SECTION_PRODUCT{FormatArg::Type::String, "the option's product name"};
constexpr TextFormatArg DRIVE{FormatArg::Type::Char, "the drive letter"};
constexpr TextFormatArg SIZE{FormatArg::Type::String, "the size"};

}  // namespace

const std::vector<TextFormatArg>& TextFormatArgs(int text) {
  static const std::map<int, std::vector<TextFormatArg>> FORMATS = {
      {TEXT_WELCOMETEXT, {PRODUCT}},
      {TEXT_FINISHEDTEXT, {PRODUCT}},
      {TEXT_NOROOMTEXT, {DRIVE}},
      {TEXT_CONFIRMREPLACETEXT1, {{FormatArg::Type::String, "the file name"}}},
      {TEXT_CONFIRMREPLACETEXT3, {{FormatArg::Type::String, "the file's date"}}},
      {TEXT_UPDATINGTEXT, {SECTION_PRODUCT}},
      {TEXT_SPACEREQUIRED, {DRIVE, SIZE}},
      {TEXT_SPACEAVAILABLE, {DRIVE, SIZE}},
      {TEXT_DESCRIPTIONTEXT, {SECTION_PRODUCT}},
  };
  static const std::vector<TextFormatArg> NONE;
  auto found = FORMATS.find(text);
  return found != FORMATS.end() ? found->second : NONE;
}

bool IsTextUsed(int text) {
  switch (text) {
    case TEXT_APPNAME:
    case TEXT_INSTALLTITLE:
    case TEXT_INSTALLTEXT:
    case TEXT_NOBUTTON:
    case TEXT_CHANGEDIRTITLE:
    case TEXT_PROBLEMINSTALLINGTEXT:
    case TEXT_CREATEDIRTEXT:
    case TEXT_FOLDERTEXT:
      return false;
    default:
      return text >= 0 && text < TEXT_COUNT;
  }
}

}  // namespace setup
