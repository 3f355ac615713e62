#include "ui/writer_wait.h"

#include <QEventLoop>

namespace glyphsheet {

WriterWait::~WriterWait() { delete dialog_.data(); }

LockWaiting WriterWait::Waiting() {
  LockWaiting waiting;
  waiting.onWait = [this] {
    dialog_ = new QProgressDialog(
        tr("另一個 GlyphSheet 正在寫入「%1」，等它寫完後再寫入……").arg(name_), tr("取消"), 0, 0,
        owner_);
    dialog_->setObjectName(kWriterWaitName);
    dialog_->setWindowTitle(tr("等待中"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(0);
    dialog_->show();
  };
  waiting.keepWaiting = [this] {
    // The lock is looked at every few hundredths of a second; between looks
    // the window draws and the dialog takes its Cancel.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return dialog_ != nullptr && !dialog_->wasCanceled();
  };
  return waiting;
}

}  // namespace glyphsheet
