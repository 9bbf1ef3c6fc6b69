#pragma once

#include "ui/framework/window_messages.h"

namespace setup {

// The control ids of each dialog template, named per dialog: the resources reuse numbers, so
// 1001 is Yes To All in one dialog and the drive list in another.

struct WelcomeIds {
  static constexpr int TEXT = 1000;
};

struct ConfirmReplaceIds {
  static constexpr int YES = ID_OK;
  static constexpr int YES_TO_ALL = 1001;
  static constexpr int NO = 1006;
  static constexpr int CANCEL = ID_CANCEL;
  static constexpr int FILE_TEXT = 1000;
  static constexpr int QUESTION = 1008;
  static constexpr int OLD_SIZE = 1010;
  static constexpr int OLD_DATE = 1011;
  static constexpr int WITH_TEXT = 1012;
  static constexpr int NEW_SIZE = 1013;
  static constexpr int NEW_DATE = 1014;
};

struct FinishedIds {
  static constexpr int TEXT = 1000;
};

struct NoRoomIds {
  static constexpr int TEXT = 1000;
};

struct ExitIds {
  static constexpr int CONTINUE = ID_OK;
  static constexpr int EXIT = ID_CANCEL;
  static constexpr int TEXT = 1000;
};

struct SetupFailedIds {
  static constexpr int TEXT = 1000;
};

struct InstallingIds {
  static constexpr int CANCEL = ID_CANCEL;
  static constexpr int TEXT = 1000;
  static constexpr int SOURCE_NAME = 1007;
  static constexpr int TO_TEXT = 1008;
  static constexpr int DEST_NAME = 1009;
  static constexpr int PROGRESS = 1020;
};

struct BrowseIds {
  static constexpr int TREE = 1016;
  static constexpr int CURRENT_LABEL = 1000;
  static constexpr int CURRENT_PATH = 1008;
  static constexpr int NEW_LABEL = 1010;
  static constexpr int NEW_DIRECTORY = 1015;
};

struct UpdatingIds {
  static constexpr int TEXT = 1017;
};

struct OptionsIds {
  static constexpr int CONTINUE = ID_OK;
  static constexpr int EXIT = ID_CANCEL;
  static constexpr int INSTRUCTIONS = 1031;
  static constexpr int OPTIONS_LABEL = 1032;
  static constexpr int LIST_FRAME = 1002;
  static constexpr int DESCRIPTION_LABEL = 1033;
  static constexpr int DESCRIPTION = 1003;
  static constexpr int FOLDER_FRAME = 1034;
  static constexpr int FOLDER = 1007;
  static constexpr int CHANGE_FOLDER = 1006;
  static constexpr int SPACE_REQUIRED = 1004;
  static constexpr int SPACE_AVAILABLE = 1005;
  static constexpr int DRIVES_LABEL = 1000;
  static constexpr int DRIVES = 1001;
  // Created at run time inside LIST_FRAME; not in the template.
  static constexpr int CHECK_LIST = 4000;
};

}  // namespace setup
