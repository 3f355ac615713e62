#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include "files/output_lock.h"

class QWidget;

namespace glyphsheet {

/// What the window does while another GlyphSheet run writes the files it is
/// about to write: after the first second a window-modal dialog says whose
/// turn it is waiting for, the window keeps drawing, and Cancel stops the
/// wait (the save or export then fails with Problem::kWaitCancelled).
class WriterWait {
  Q_DECLARE_TR_FUNCTIONS(WriterWait)

 public:
  /// `name` is the file the window is about to write.
  WriterWait(QWidget* owner, QString name) : owner_(owner), name_(std::move(name)) {}
  ~WriterWait();
  WriterWait(const WriterWait&) = delete;
  WriterWait& operator=(const WriterWait&) = delete;

  /// The waiting the lock is taken with; valid while this object lives.
  LockWaiting Waiting();

 private:
  QWidget* owner_;
  QString name_;
  QPointer<QProgressDialog> dialog_;
};

/// The object name of the waiting dialog (tests find it by it).
inline constexpr char kWriterWaitName[] = "writerWait";

}  // namespace glyphsheet
