// Quillet — copying any file safely, and failed file operations told in plain words.
#include "data/file_safety.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <optional>

#include "core/ui.h"
#include "data/open_t4_file.h"
#include "platform/disk_info.h"
#include "platform/file_names.h"
#include "platform/file_replacement.h"
#include "platform/shared_file.h"

namespace quillet {
namespace {

QString modifiedText(const QDateTime& modified) {
  return QLocale::c().toString(modified, QStringLiteral("dddd, MMMM d, yyyy, 'at' hh:mm AP"));
}

}  // namespace

void CopyAnyFile(const QString& source, const QString& destination, bool confirmOverwrite, Ui& ui) {
  if (source.isEmpty() || destination.isEmpty() || source == destination) {
    ui.showMessage(QStringLiteral("Invalid name selection.  Cannot copy."));
    return;
  }
  const platform::PathFacts from = platform::pathFacts(source);
  if (!from.exists) {
    ui.showMessage(source + QStringLiteral(" does not exist.  Cannot copy."));
    return;
  }
  const platform::PathFacts to = platform::pathFacts(destination);
  if (to.exists && confirmOverwrite) {
    const QString question =
        QStringLiteral("Overwriting file ") + destination + QStringLiteral(" last") +
        QStringLiteral(" updated on ") + modifiedText(to.modified) +
        QStringLiteral(" with data from ") + source + QStringLiteral(" last updated ") +
        modifiedText(from.modified) + QStringLiteral(" Click Yes if OK, or No to stop.");
    if (ui.ask(question, QuestionKind::YesNo, {}, QuestionIcon::Error) != Answer::Yes) return;
  }

  auto input = platform::SharedFile::open(source, platform::OpenMode::ReadDenyWrite);
  if (!input) {
    ui.showMessage(input.error().message);
    return;
  }
  const int64_t size = input->size();
  if (size == 0) {
    ui.showMessage(QStringLiteral("Input ") + source +
                   QStringLiteral(" has nothing in it. Cannot copy."));
    return;
  }
  // The destination is replaced only when no one writes it: not the source under another
  // name, not a file that this program or another holds open (the T4 file being edited
  // would otherwise go on being written after it was replaced, and every change be lost).
  std::optional<platform::SharedFile> replaced;
  if (to.exists) {
    auto locked = platform::SharedFile::open(destination, platform::OpenMode::ReadWriteDenyWrite);
    if (!locked || input->isFile(destination)) {
      ui.showMessage(platform::cannotCreateMessage(destination));
      return;
    }
    replaced = std::move(*locked);
  }
  auto output = platform::FileReplacement::begin(destination);
  if (!output) {
    ui.showMessage(output.error().message);
    return;
  }

  // A copy that is not whole never takes the destination's place; the old one stays.
  if (platform::copyContents(*input, output->file()) != size ||
      !output->file().setModified(from.modified) || !output->commit()) {
    ui.showMessage(QStringLiteral("Error copying ") + source +
                   QStringLiteral(" Output was not the same size as input so output deleted."));
  }
}

bool openFileStillAtItsPath(OpenT4FileState& state, Ui& ui) {
  if (state.stillAtItsPath()) return true;
  const QString name = state.T4FileName();
  if (ui.ask(QStringLiteral("The T4 file %1 is no longer the file this program has open: another "
                            "program moved, deleted or replaced it, and nothing can be saved into "
                            "it.\n\nSave the open file, with this change, under a new name?")
                 .arg(name),
             QuestionKind::YesNo, {}, QuestionIcon::Error) != Answer::Yes)
    return false;
  const QFileInfo old(name);
  const QString path = ui.chooseFileToSave({QStringLiteral("Save the T4 file under a new name"),
                                            QStringLiteral("T4E"),
                                            {QStringLiteral("T4 files (*.T4E)")},
                                            true,
                                            old.absolutePath(),
                                            old.fileName()});
  if (path.isEmpty()) return false;
  if (const FileStatus kept = state.keepUnder(path); !kept) {
    ui.showMessage(kept.message());
    return false;
  }
  return true;
}

QString fileErrorMessage(const QString& operation, const QString& path) {
  const platform::DiskInfo disk = platform::diskInfo(path);
  const QString start =
      QStringLiteral("Could not ") + operation + QStringLiteral(". File = ") + path;
  if (disk.size < 0) {
    return start +
           QStringLiteral(" Reason: that disk drive is invalid.  Please respecify file name.");
  }
  const QString breakLine = QStringLiteral("\r\r");
  return start + QStringLiteral(" Disk Drive size is ") + QString::number(disk.size) +
         QStringLiteral(" and it has ") + QString::number(disk.free) +
         QStringLiteral(" bytes free.") + breakLine +
         QStringLiteral("The most likely possibility is that this file is locked") +
         QStringLiteral(" because it is in use by another program or by another instance of this") +
         QStringLiteral(" program.  Check your Taskbar for a likely") +
         QStringLiteral(" program (in particular check if there is more than one copy of this") +
         QStringLiteral(" program running), or hold down Alt and press Tab repeatedly to cycle") +
         QStringLiteral(" through the running programs.") +
         QStringLiteral(" If the file is in use, exit the other program, then try this again.") +
         breakLine +
         QStringLiteral("If the file is not locked and if the disk is not full then the file") +
         QStringLiteral(" has either been corrupted or you have bad sectors on the disk.  Try") +
         QStringLiteral(" copying the file, you might get lucky.  Lucky or not, you will also") +
         QStringLiteral(
             " need to run a disk utility to check for bad sectors and take them out of service.");
}

void ShowFileError(const QString& operation, const QString& path, Ui& ui) {
  ui.showMessage(fileErrorMessage(operation, path));
}

FileStatus saveSettings(QSettings& settings) {
  settings.sync();
  if (settings.status() == QSettings::NoError) return {};
  return FileError{fileErrorMessage(QStringLiteral("write settings to"), settings.fileName())};
}

}  // namespace quillet
