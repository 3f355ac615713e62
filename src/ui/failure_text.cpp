#include "ui/failure_text.h"

#include <cerrno>
#include <cstring>

#include <QFile>

namespace glyphsheet {

namespace {

QString FileName(const std::string& name) { return QFile::decodeName(name.c_str()); }

QString Number(const ErrorDetail& detail, size_t i) {
  return i < detail.numbers.size() ? QString::number(detail.numbers[i]) : QStringLiteral("?");
}

QString FieldName(int64_t field) {
  // In file order, as ProjectField lists them.
  static const char* const kNames[] = {
      QT_TRANSLATE_NOOP("FailureText", "圖像寬度"),
      QT_TRANSLATE_NOOP("FailureText", "圖像高度"),
      QT_TRANSLATE_NOOP("FailureText", "左邊框"),
      QT_TRANSLATE_NOOP("FailureText", "頂部邊框"),
      QT_TRANSLATE_NOOP("FailureText", "右邊框"),
      QT_TRANSLATE_NOOP("FailureText", "底部邊框"),
      QT_TRANSLATE_NOOP("FailureText", "字型大小"),
      QT_TRANSLATE_NOOP("FailureText", "字重"),
      QT_TRANSLATE_NOOP("FailureText", "品質"),
      QT_TRANSLATE_NOOP("FailureText", "平滑係數"),
      QT_TRANSLATE_NOOP("FailureText", "傾斜旗標"),
      QT_TRANSLATE_NOOP("FailureText", "字型名稱長度"),
      QT_TRANSLATE_NOOP("FailureText", "字型名稱"),
      QT_TRANSLATE_NOOP("FailureText", "字型名稱後的 0 位元組"),
      QT_TRANSLATE_NOOP("FailureText", "字元數"),
      QT_TRANSLATE_NOOP("FailureText", "字元代碼"),
      QT_TRANSLATE_NOOP("FailureText", "字元的左邊框"),
      QT_TRANSLATE_NOOP("FailureText", "字元的右邊框")};
  if (field < 0 || field >= static_cast<int64_t>(std::size(kNames))) return QStringLiteral("?");
  return FailureText::tr(kNames[field]);
}

}  // namespace

QString FailureText::SystemReason(int code) {
  switch (code) {
    case ENOENT: return tr("沒有此檔案或目錄");
    case EACCES: return tr("權限不足");
    case EPERM: return tr("不允許的操作");
    case ENOSPC: return tr("裝置上已無空間");
    case EDQUOT: return tr("超出磁碟配額");
    case EROFS: return tr("唯讀的檔案系統");
    case EISDIR: return tr("是一個目錄");
    case ENOTDIR: return tr("不是一個目錄");
    case EEXIST: return tr("檔案已存在");
    case EBUSY: return tr("裝置或資源忙碌中");
    case EIO: return tr("輸入/輸出錯誤");
    case EFBIG: return tr("檔案太大");
    case ENAMETOOLONG: return tr("檔案名稱太長");
    case ELOOP: return tr("符號連結的層數太多");
    case EXDEV: return tr("無效的跨裝置連結");
    case ENOMEM: return tr("無法配置記憶體");
    case EMFILE: return tr("開啟的檔案太多");
    case EAGAIN: return tr("資源暫時無法使用");
    case EINVAL: return tr("無效的引數");
    default:
      // The system's own words for the rarest ones.
      return QString::fromLocal8Bit(std::strerror(code));
  }
}

QString FailureText::Reason(const ErrorDetail& d) {
  const auto n = [&d](size_t i) { return Number(d, i); };
  switch (d.problem) {
    case Problem::kOther: return QString();
    case Problem::kSystem: return SystemReason(d.code);
    case Problem::kNotAFileName: return tr("名稱指的是資料夾，不是檔案");
    case Problem::kFollowLink: return tr("無法跟隨連結：%1").arg(SystemReason(d.code));
    case Problem::kFolderTakesNoFiles: return tr("所在的資料夾不能建立新檔案");
    case Problem::kTemporaryTaken: return tr("另一個執行中的程式一再移除暫存檔");
    case Problem::kNoRoom:
      return tr("需要 %1 位元組，但檔案系統只剩 %2 位元組").arg(n(0), n(1));
    case Problem::kFileTooLarge: return tr("檔案大於 %1 MiB").arg(n(0));
    case Problem::kTruncated:
      return tr("檔案不完整：只有 %1 位元組，在%2（第 %3 至 %4 位元組）中斷")
          .arg(n(0), FieldName(d.numbers.size() > 1 ? d.numbers[1] : -1), n(2), n(3));
    case Problem::kFaceNameLength: return tr("字型名稱長度 %1 不在 0..255 之內").arg(n(0));
    case Problem::kGlyphCountTooLarge:
      return tr("字元數 %1 需要 %2 位元組，但只剩 %3 位元組（檔案不完整或已損壞）")
          .arg(n(0), n(1), n(2));
    case Problem::kSheetSide:
      return (n(0) == QStringLiteral("0") ? tr("圖像寬度 %1 不在 1..65535 之內")
                                          : tr("圖像高度 %1 不在 1..65535 之內"))
          .arg(n(1));
    case Problem::kFaceNameTooLong:
      return tr("字型名稱長 %1 位元組，專案檔最多只能存 255 位元組").arg(n(0));
    case Problem::kHoldsProject: return tr("這是一個 GlyphSheet 專案檔，BMFont 描述檔不會取代它");
    case Problem::kSheetTooLarge:
      return tr("%1 × %2 像素的圖像超出圖檔的上限（每邊 1..65535）").arg(n(0), n(1));
  }
  return QString();
}

QString FailureText::Message(const QString& what, const QString& chosen, const Error& error) {
  const ErrorDetail& d = error.detail;
  // Only a library's own English words: they say everything.
  if (d.problem == Problem::kOther) return tr("%1「%2」：\n%3").arg(what, chosen,
                                                                   QString::fromStdString(error.message));
  const QString file = d.file.empty() ? chosen : FileName(d.file);
  QString text = d.action == FileAction::kFinishExport
                     ? tr("無法完成先前中斷的輸出「%1」：\n%2").arg(file, Reason(d))
                     : tr("%1「%2」：\n%3").arg(what, file, Reason(d));
  if (d.undo == Undo::kNothingChanged) text += tr("；沒有更改任何檔案");
  if (d.undo == Undo::kImageIsNew) {
    text += tr("；「%1」是新的圖像，「%2」仍是舊的").arg(FileName(d.newImage), file);
  }
  return text;
}

}  // namespace glyphsheet
