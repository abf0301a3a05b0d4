#pragma once

#include <QCheckBox>
#include <cstddef>

// A check box of a dialog and the model field it shows: the dialogs keep a table of them
// and walk it to copy their fields, model to boxes and back.
template <typename Dialog, typename Model>
struct clCheckField {
  QCheckBox* Dialog::*control;
  bool Model::*field;

  // Sets each box from its field, in the table's order (a box's handler runs as it is
  // set, so `model` is best a copy).
  template <std::size_t N>
  static void Show(Dialog& dialog, const Model& model, const clCheckField (&fields)[N]) {
    for (const clCheckField& check : fields)
      (dialog.*check.control)->setChecked(model.*check.field);
  }
  // Sets each field from its box.
  template <std::size_t N>
  static void Take(const Dialog& dialog, Model& model, const clCheckField (&fields)[N]) {
    for (const clCheckField& check : fields)
      model.*check.field = (dialog.*check.control)->isChecked();
  }
};
