#pragma once

#include <QCoreApplication>
#include <QString>

#include "sheet/result.h"

namespace glyphsheet {

/// Failures in the window's language. The source texts are Traditional
/// Chinese; the English translation gives the words the command line uses.
class FailureText {
  Q_DECLARE_TR_FUNCTIONS(FailureText)

 public:
  /// The message of a failed action: `what` (the window's words for the
  /// action, such as 無法儲存專案檔), the file concerned once, and why.
  /// `chosen` names the file when the failure names none.
  static QString Message(const QString& what, const QString& chosen, const Error& error);
  /// Why it failed, without the action or the file (the typeface a font
  /// failure concerns comes first).
  static QString Reason(const ErrorDetail& detail);
  /// A failure that names no action: its reason, or a library's own words.
  static QString Text(const Error& error);
  /// The words for a failed system call's errno.
  static QString SystemReason(int code);

 private:
  /// Reason without the typeface.
  static QString KindReason(const ErrorDetail& detail);
  static QString ExtensionReason(const ErrorDetail& detail);
  static QString UnnameablePageReason(const ErrorDetail& detail);
  static QString FileKindReason(const ErrorDetail& detail);
};

}  // namespace glyphsheet
