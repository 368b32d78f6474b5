#pragma once
// The message boxes of the two windows, each got by doing what makes the
// window show it (a second copy, old settings, an unreadable, refused or
// unwritable file, a button), so caption, icon and text are the program's own.
#include "recording_seams.h"

#include <QString>

#include <string>
#include <vector>

namespace kestrin::shots {

class DemoProgram;
class PictureWriter;

struct NamedBox {
    QString name; // the picture's file name without ".png"
    RecordedBox box;
};

struct BoxScenes {
    std::vector<NamedBox> boxes;
    // What did not show the boxes it should have; empty when all did.
    std::vector<QString> problems;
};

// Boxes the demo program shows while it runs (running: started, holding
// demoFolder): a second copy of it, its buttons.
void collectRunningProgramBoxes(BoxScenes& scenes, DemoProgram& running, const std::string& demoFolder,
                                const std::string& lockFolder);

// Boxes of programs started on folders of their own below scratch. Only one
// started window may exist at a time (the termination signals have one
// owner): call this after the demo program is gone.
void collectOtherFolderBoxes(BoxScenes& scenes, const std::string& scratch, const std::string& shippedFolder,
                             const std::string& lockFolder);

// Shows a recorded box as MessageBoxPrompter would and writes its picture.
void drawBox(const NamedBox& named, PictureWriter& writer);

} // namespace kestrin::shots
