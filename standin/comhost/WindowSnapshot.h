#pragma once
// What the user reads off the component's windows: which window it is, a
// form's controls as the transcript writes them, a message box's title,
// text and icon. Read with window messages from another thread than the
// windows'.

#include <windows.h>

#include "standin/pinhost/FormSnapshot.h"
#include "core/ui/Ui.h"

namespace zelva::comhost {

enum class WindowKind { ThreadDialog, Notice, MessageBox };

WindowKind kindOf(HWND dialog);
pinhost::DialogSnapshot threadDialogSnapshot(HWND dialog);
pinhost::NoticeSnapshot noticeSnapshot(HWND notice);
ui::Message messageBoxShown(HWND box);

}  // namespace zelva::comhost
