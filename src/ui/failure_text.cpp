#include "ui/failure_text.h"

#include <cerrno>
#include <cstring>

#include <QFile>

#include "sheet/error_text.h"
#include "sheet/sheet_document.h"
#include "sheet/unicode_text.h"

namespace glyphsheet {

namespace {

QString FileName(const std::string& name) { return QFile::decodeName(name.c_str()); }

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

QString RangeText(const SettingRange& range) { return FromUtf8(range.Text()); }

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
  const QString reason = KindReason(d);
  return d.typeface.empty() ? reason : tr("字型「%1」：%2").arg(FromUtf8(d.typeface), reason);
}

QString FailureText::KindReason(const ErrorDetail& d) {
  const auto n = [&d](size_t i) { return Number(d, i); };
  const QString file = FileName(d.file);
  const QString library = FromUtf8(d.reason);
  switch (d.problem) {
    case Problem::kOther: return QString();
    case Problem::kSystem: return SystemReason(d.code);
    case Problem::kNotAFileName: return tr("沒有檔案名稱：%1").arg(SystemReason(EISDIR));
    case Problem::kFollowLink: return tr("無法跟隨連結：%1").arg(SystemReason(d.code));
    case Problem::kFolderTakesNoFiles:
      return tr("所在的資料夾不能建立新檔案（%1）").arg(SystemReason(d.code));
    case Problem::kTemporaryTaken:
      return tr("另一個執行中的程式一再移除暫存檔：%1").arg(SystemReason(EAGAIN));
    case Problem::kNoRoom:
      return tr("需要 %1 位元組，但檔案系統只剩 %2 位元組").arg(n(0), n(1));
    case Problem::kFileTooLarge: return tr("檔案大於 %1 MiB").arg(n(0));
    case Problem::kTruncated:
      return tr("檔案不完整：只有 %1 位元組，在%2（第 %3 至 %4 位元組）中斷")
          .arg(n(0), FieldName(d.numbers.size() > 1 ? d.numbers[1] : -1), n(2), n(3));
    case Problem::kFaceNameLength:
      return tr("字型名稱長度 %1 不在 %2 之內").arg(n(0), RangeText(kFaceNameBytesRange));
    case Problem::kGlyphCountTooLarge:
      return tr("字元數 %1 需要 %2 位元組，但只剩 %3 位元組（檔案不完整或已損壞）")
          .arg(n(0), n(1), n(2));
    case Problem::kSheetSide:
      return (n(0) == QStringLiteral("0") ? tr("圖像寬度 %1 不在 %2 之內")
                                          : tr("圖像高度 %1 不在 %2 之內"))
          .arg(n(1), RangeText(kSheetSideRange));
    case Problem::kFaceNameTooLong:
      return tr("字型名稱長 %1 位元組，專案檔最多只能存 %2 位元組")
          .arg(n(0), QString::number(kFaceNameBytesRange.max));
    case Problem::kHoldsProject: return tr("這是一個 GlyphSheet 專案檔，輸出不會取代它");
    case Problem::kNotRegularFile: return FileKindReason(d);
    case Problem::kCannotTellProject:
      return tr("無法判斷它是否為 GlyphSheet 專案檔（%1），因此不取代它").arg(SystemReason(d.code));
    case Problem::kWaitCancelled: return tr("已停止等待另一個正在寫入它的 GlyphSheet");
    case Problem::kUnnameablePage: return UnnameablePageReason(d);
    case Problem::kFieldInBinary:
      return tr("二進位 BMFont 格式無法記錄距離場（請改用文字、XML 或 JSON 格式）");
    case Problem::kSheetTooLarge:
      return tr("%1 × %2 像素的圖像超出圖檔的上限（每邊 %3）")
          .arg(n(0), n(1), RangeText(kSheetSideRange));
    case Problem::kFaceNotInstalled: return tr("字型「%1」未安裝").arg(FromUtf8(d.file));
    case Problem::kStartFreeType: return tr("無法啟動 FreeType：%1").arg(library);
    case Problem::kTrueTypeInterpreter:
      return tr("無法選用 TrueType 直譯器 %1：%2").arg(n(0), library);
    case Problem::kUnusableFontFile:
      return tr("無法讀取字型檔「%1」（字體 %2）：%3").arg(file, n(0), library);
    case Problem::kFaceIndex:
      return tr("字型檔「%1」只有 %2 個字體，沒有字體 %3").arg(file, n(0), n(1));
    case Problem::kNoOutlines:
      return tr("字型檔「%1」（字體 %2）沒有 TrueType 或 OpenType 外框").arg(file, n(0));
    case Problem::kNoFamilyName: return tr("字型檔「%1」沒有字族名稱").arg(file);
    case Problem::kPixelHeight:
      return tr("像素高度 %1 不在 %2..%3 之內").arg(n(0), n(1), n(2));
    case Problem::kCannotSize:
      return tr("字型檔「%1」無法縮放為 %2 像素：%3").arg(file, n(0), library);
    case Problem::kExtension: return ExtensionReason(d);
    case Problem::kBmFontDescriptor: return tr("這是 BMFont 描述檔，不是 GlyphSheet 專案檔");
    case Problem::kPngImage: return tr("這是 PNG 圖像，不是 GlyphSheet 專案檔");
  }
  return QString();
}

QString FailureText::ExtensionReason(const ErrorDetail& d) {
  const auto n = [&d](size_t i) { return Number(d, i); };
  switch (static_cast<ExtensionDefect>(d.numbers.empty() ? 0 : d.numbers[0])) {
    case ExtensionDefect::kCutShort:
      return tr("擴充區塊不完整：需要 %1 位元組，但字元清單之後只有 %2 位元組").arg(n(1), n(2));
    case ExtensionDefect::kTrailing: return tr("擴充區塊之後還有 %1 位元組").arg(n(1));
    case ExtensionDefect::kVersion:
      return tr("擴充區塊的版本是 %1，這個 GlyphSheet 無法讀取（由較新的版本寫入）").arg(n(1));
    case ExtensionDefect::kSetting:
      return tr("擴充區塊含有這個 GlyphSheet 不認識的設定 %1").arg(n(1));
    case ExtensionDefect::kLengths: return tr("擴充區塊內的長度不相符（已損壞）");
    case ExtensionDefect::kChecksum: return tr("擴充區塊已損壞：檢查碼與內容不符");
    case ExtensionDefect::kCode:
      return tr("擴充區塊的第 %1 個字元代碼 %2 不是 Unicode 字元")
          .arg(n(1), QStringLiteral("0x") +
                         QString::number(d.numbers.size() > 2 ? d.numbers[2] : 0, 16).toUpper());
    case ExtensionDefect::kMismatch:
      return tr("擴充區塊之前的字元清單與擴充區塊不符（檔案曾被其他程式修改）");
    case ExtensionDefect::kSpread:
      return tr("擴充區塊中的距離場擴散 %1 不在 %2 之內").arg(n(1), RangeText(kDistanceSpreadRange));
  }
  return tr("擴充區塊已損壞");
}

QString FailureText::FileKindReason(const ErrorDetail& d) {
  switch (static_cast<FileKind>(d.numbers.empty() ? -1 : d.numbers[0])) {
    case FileKind::kFolder: return tr("這是資料夾，不是一般檔案");
    case FileKind::kFifo: return tr("這是具名管道（FIFO），不是一般檔案");
    case FileKind::kCharacterDevice: return tr("這是字元裝置，不是一般檔案");
    case FileKind::kBlockDevice: return tr("這是區塊裝置，不是一般檔案");
    case FileKind::kSocket: return tr("這是 socket，不是一般檔案");
    case FileKind::kOther: break;
  }
  return tr("這不是一般檔案");
}

QString FailureText::UnnameablePageReason(const ErrorDetail& d) {
  const int64_t form = d.numbers.empty() ? 0 : d.numbers[0];
  const int64_t code = d.numbers.size() > 1 ? d.numbers[1] : -1;
  QString what;
  if (code < 0) {
    const int64_t byte = d.numbers.size() > 3 ? d.numbers[3] & 0xFF : 0;
    const QString hex = QString::number(byte, 16).rightJustified(2, u'0').toUpper();
    what = tr("位移 %1 的位元組 %2（不是 UTF-8）").arg(Number(d, 2), QStringLiteral("0x") + hex);
  } else {
    const auto ch = static_cast<char32_t>(code);
    const QString number = FromUtf8(NumberedCharacter(ch));
    what = ch == U'"'               ? tr("%1（雙引號）").arg(number)
           : IsControlCharacter(ch) ? tr("%1（控制字元）").arg(number)
                                    : tr("%1（非字元）").arg(number);
  }
  const QString place = form == 1   ? tr("在 XML 格式中")
                        : form == 3 ? tr("在 JSON 格式中")
                                    : tr("在文字格式的引號值中");
  return tr("描述檔無法原樣寫入頁面檔名「%1」：%2不能出現%3")
      .arg(FromUtf8(PrintableText(d.name)), what, place);
}

QString FailureText::Text(const Error& error) {
  // Only a library's own English words: they say everything.
  if (error.detail.problem == Problem::kOther) return FromUtf8(error.message);
  return Reason(error.detail);
}

QString FailureText::Message(const QString& what, const QString& chosen, const Error& error) {
  const ErrorDetail& d = error.detail;
  // Only a library's own English words: they say everything.
  if (d.problem == Problem::kOther) return tr("%1「%2」：\n%3").arg(what, chosen, Text(error));
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
