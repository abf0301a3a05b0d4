#pragma once

#include <cstdint>

// The clipboard's form, as IS_FOLDER_LIST_OUTPUTCBMODE stores it and the detailed
// dialog's radio group numbers its items. The record keeps any integer: a value that is
// neither form puts nothing on the clipboard.
enum class clClipboardForm : int32_t { Text = 0, Table = 1 };

// The stored value of a form.
constexpr int32_t clClipboardMode(clClipboardForm form) { return static_cast<int32_t>(form); }
