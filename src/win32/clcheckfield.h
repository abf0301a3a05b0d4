#pragma once

#include <cstddef>

#include "platform/win32/clwindows.h"

// A check box of a dialog template (its identifier) and the model field it shows: the
// dialogs keep a table of them and walk it to copy their fields, model to boxes and back.
template <typename Model>
struct clCheckField {
  int id;
  bool Model::*field;

  // Sets each box from its field (no notification is sent).
  template <std::size_t N>
  static void Show(HWND dialog, const Model& model, const clCheckField (&fields)[N]) {
    for (const clCheckField& check : fields) {
      ::CheckDlgButton(dialog, check.id, model.*check.field ? BST_CHECKED : BST_UNCHECKED);
    }
  }
  // Sets each field from its box.
  template <std::size_t N>
  static void Take(HWND dialog, Model& model, const clCheckField (&fields)[N]) {
    for (const clCheckField& check : fields) {
      model.*check.field = ::IsDlgButtonChecked(dialog, check.id) == BST_CHECKED;
    }
  }
};
