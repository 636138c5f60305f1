#include "check/win32/scratch_folder.h"

#include <windows.h>

#include "check/win32/files.h"
#include "platform/number_text.h"

namespace check::win32 {

ScratchFolder::ScratchFolder() {
  wchar_t temporary[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, temporary);
  if (length == 0 || length > MAX_PATH) return;
  // Unique among the runs of this machine: the process's number and the tick of its start.
  const std::wstring folder = std::wstring(temporary) + L"Dialwright check " +
                              platform::DecimalText(::GetCurrentProcessId()) + L"-" +
                              platform::DecimalText(::GetTickCount());
  if (::CreateDirectoryW(folder.c_str(), nullptr)) path_ = folder;
}

ScratchFolder::~ScratchFolder() {
  if (!path_.empty()) RemoveFolder(path_);
}

}  // namespace check::win32
