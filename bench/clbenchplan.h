#pragma once

#include <functional>
#include <string>
#include <vector>

#include "clbenchrow.h"
#include "clbenchrunner.h"

// The runs behind one table: the reads on one folder (the local tree, the share) under
// one condition. Each run goes through every row in turn, so that all rows meet the
// same moments of the machine.
class clBenchPlan {
 public:
  // `prefix` goes before every measured command (the condition's confinement).
  clBenchPlan(std::string title, std::string folder, std::string prefix);

  // `tree -a -n --noreport -o` on the folder.
  void AddPeer();
  // The walk, the core read and the window read (offscreen), each alone and with
  // read-ahead; `extra` is added to the environment of each of their runs.
  void AddReads(const std::vector<std::string>& extra);
  // The walk, the core read and the Win32 window read of the Windows build, under Wine,
  // each alone and with read-ahead.
  void AddWindowsReads();
  // The window read under the X server `displayVariable` names, with read-ahead.
  void AddXvfbWindow(const std::string& displayVariable);

  // Runs every row `count` times; `before`, when set, runs ahead of every single run and
  // ends the plan when it fails. False when a read of KDX failed (a failing peer only
  // leaves its row empty).
  bool Run(const clBenchRunner& runner, int count, const std::function<bool()>& before);

  const std::string& Title() const { return title; }
  const std::vector<clBenchRow>& Rows() const { return rows; }
  int Runs() const { return runs; }

 private:
  void Add(const std::string& mode, const std::string& variant,
           std::vector<std::string> environment);

  std::string title;
  std::string folder;
  std::string prefix;
  std::vector<std::vector<std::string>> environments;  // one per row
  std::vector<clBenchRow> rows;
  int runs = 0;
};
