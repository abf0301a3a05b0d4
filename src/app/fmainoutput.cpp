// The output run and its writers as operations of the main window: they take what
// they need from the window's fields and run on the worker thread of the read.
#include "app/fmain.h"
#include "output/clcsvwriter.h"
#include "output/cloutputrun.h"
#include "output/cltextwriter.h"
#include "scan/clsthread.h"

clOutputContext TfrmMain::MakeOutputContext(clsThread& worker) {
  return clOutputContext{findInFolders.GetFolderList(),
                         findInFolders.GetLastFolder(),
                         outputBasePath,
                         clipboardText,
                         resultMessage,
                         option,
                         worker,
                         clipboard,
                         shell,
                         statusLabel};
}

bool TfrmMain::OutputFolderList(clsThread& worker) {
  return clOutputRun::OutputFolderList(MakeOutputContext(worker));
}

bool TfrmMain::WriteTextList(bool toFile, bool toClipboard) {
  return clTextWriter::WriteTextList(MakeOutputContext(*readThread), toFile, toClipboard);
}

bool TfrmMain::WriteShortTextList(bool toFile, bool toClipboard) {
  return clTextWriter::WriteShortTextList(MakeOutputContext(*readThread), toFile, toClipboard);
}

bool TfrmMain::WriteCsvList(bool toFile, bool toClipboard) {
  return clCsvWriter::WriteCsvList(MakeOutputContext(*readThread), toFile, toClipboard);
}
