<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>AddCharsDialog</name>
    <message>
        <location filename="../src/ui/add_chars_dialog.ui" line="6"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_add_chars_dialog.h" line="55"/>
        <source>加入字元</source>
        <translation>Add Characters</translation>
    </message>
    <message>
        <location filename="../src/ui/add_chars_dialog.ui" line="12"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_add_chars_dialog.h" line="56"/>
        <source>確定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/ui/add_chars_dialog.ui" line="17"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_add_chars_dialog.h" line="57"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CharacterSetsDialog</name>
    <message>
        <location filename="../src/ui/character_sets_dialog.ui" line="6"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_character_sets_dialog.h" line="114"/>
        <source>字元集</source>
        <translation>Character Sets</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.ui" line="10"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_character_sets_dialog.h" line="115"/>
        <source>勾選要加入的字元集：</source>
        <translation>Tick the character sets to add:</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.ui" line="18"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_character_sets_dialog.h" line="119"/>
        <source>字元集</source>
        <comment>column</comment>
        <translation>Set</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.ui" line="19"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_character_sets_dialog.h" line="118"/>
        <source>字元數</source>
        <translation>Characters</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.ui" line="20"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_character_sets_dialog.h" line="117"/>
        <source>說明</source>
        <translation>Description</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.ui" line="25"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_character_sets_dialog.h" line="120"/>
        <source>範圍（起點-終點，以逗號分隔）：</source>
        <translation>Ranges (FIRST-LAST, separated by commas):</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.ui" line="49"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_character_sets_dialog.h" line="121"/>
        <source>確定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.ui" line="55"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_character_sets_dialog.h" line="122"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>FailureText</name>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="29"/>
        <source>圖像寬度</source>
        <translation>the sheet width</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="30"/>
        <source>圖像高度</source>
        <translation>the sheet height</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="31"/>
        <source>左邊框</source>
        <translation>the left border</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="32"/>
        <source>頂部邊框</source>
        <translation>the top border</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="33"/>
        <source>右邊框</source>
        <translation>the right border</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="34"/>
        <source>底部邊框</source>
        <translation>the bottom border</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="35"/>
        <source>字型大小</source>
        <translation>the point size</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="36"/>
        <source>字重</source>
        <translation>the weight</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="37"/>
        <source>品質</source>
        <translation>the quality</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="38"/>
        <source>平滑係數</source>
        <translation>the smoothing factor</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="39"/>
        <source>傾斜旗標</source>
        <translation>the italic flag</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="40"/>
        <source>字型名稱長度</source>
        <translation>the face name length</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="41"/>
        <source>字型名稱</source>
        <translation>the face name</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="42"/>
        <source>字型名稱後的 0 位元組</source>
        <translation>the 0 byte after the face name</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="43"/>
        <source>字元數</source>
        <translation>the glyph count</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="44"/>
        <source>字元代碼</source>
        <translation>a glyph code</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="45"/>
        <source>字元的左邊框</source>
        <translation>a glyph&apos;s left border</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="46"/>
        <source>字元的右邊框</source>
        <translation>a glyph&apos;s right border</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="55"/>
        <source>沒有此檔案或目錄</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="56"/>
        <source>權限不足</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="57"/>
        <source>不允許的操作</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="58"/>
        <source>裝置上已無空間</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="59"/>
        <source>超出磁碟配額</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="60"/>
        <source>唯讀的檔案系統</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="61"/>
        <source>是一個目錄</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="62"/>
        <source>不是一個目錄</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="63"/>
        <source>檔案已存在</source>
        <translation>File exists</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="64"/>
        <source>裝置或資源忙碌中</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="65"/>
        <source>輸入/輸出錯誤</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="66"/>
        <source>檔案太大</source>
        <translation>File too large</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="67"/>
        <source>檔案名稱太長</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="68"/>
        <source>符號連結的層數太多</source>
        <translation>Too many levels of symbolic links</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="69"/>
        <source>無效的跨裝置連結</source>
        <translation>Invalid cross-device link</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="70"/>
        <source>無法配置記憶體</source>
        <translation>Cannot allocate memory</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="71"/>
        <source>開啟的檔案太多</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="72"/>
        <source>資源暫時無法使用</source>
        <translation>Resource temporarily unavailable</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="73"/>
        <source>無效的引數</source>
        <translation>Invalid argument</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="82"/>
        <source>字型「%1」：%2</source>
        <translation>typeface &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="92"/>
        <source>沒有檔案名稱：%1</source>
        <translation>no file name: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="95"/>
        <source>所在的資料夾不能建立新檔案（%1）</source>
        <translation>its folder takes no new files (%1)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="97"/>
        <source>另一個執行中的程式一再移除暫存檔：%1</source>
        <translation>another run keeps removing its temporary file: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="105"/>
        <source>字型名稱長度 %1 不在 %2 之內</source>
        <translation>the face name length %1 is outside %2</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="110"/>
        <source>圖像寬度 %1 不在 %2 之內</source>
        <translation>the sheet width %1 is outside %2</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="111"/>
        <source>圖像高度 %1 不在 %2 之內</source>
        <translation>the sheet height %1 is outside %2</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="114"/>
        <source>字型名稱長 %1 位元組，專案檔最多只能存 %2 位元組</source>
        <translation>the face name is %1 bytes long; a project file holds at most %2</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="116"/>
        <source>這是一個 GlyphSheet 專案檔，輸出不會取代它</source>
        <translation>it is a GlyphSheet project, which an export does not replace</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="119"/>
        <source>無法判斷它是否為 GlyphSheet 專案檔（%1），因此不取代它</source>
        <translation>cannot tell whether it is a GlyphSheet project (%1), so it is not replaced</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="120"/>
        <source>已停止等待另一個正在寫入它的 GlyphSheet</source>
        <translation>stopped waiting for another GlyphSheet run that is writing it</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="123"/>
        <source>二進位 BMFont 格式無法記錄距離場（請改用文字、XML 或 JSON 格式）</source>
        <translation>the binary BMFont form has no record of a distance field (use the text, XML or JSON form)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="125"/>
        <source>%1 × %2 像素的圖像超出圖檔的上限（每邊 %3）</source>
        <translation>a sheet of %1 x %2 pixels does not fit an image (each side %3)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="127"/>
        <source>字型「%1」未安裝</source>
        <translation>typeface &quot;%1&quot; is not installed</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="128"/>
        <source>無法啟動 FreeType：%1</source>
        <translation>cannot start FreeType: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="130"/>
        <source>無法選用 TrueType 直譯器 %1：%2</source>
        <translation>cannot select TrueType interpreter %1: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="132"/>
        <source>無法讀取字型檔「%1」（字體 %2）：%3</source>
        <translation>cannot read font file &quot;%1&quot; (face %2): %3</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="134"/>
        <source>字型檔「%1」只有 %2 個字體，沒有字體 %3</source>
        <translation>font file &quot;%1&quot; holds %2 face(s); there is no face %3</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="136"/>
        <source>字型檔「%1」（字體 %2）沒有 TrueType 或 OpenType 外框</source>
        <translation>font file &quot;%1&quot; (face %2) holds no TrueType or OpenType outlines</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="137"/>
        <source>字型檔「%1」沒有字族名稱</source>
        <translation>font file &quot;%1&quot; names no family</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="139"/>
        <source>像素高度 %1 不在 %2..%3 之內</source>
        <translation>pixel height %1 is outside %2..%3</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="141"/>
        <source>字型檔「%1」無法縮放為 %2 像素：%3</source>
        <translation>font file &quot;%1&quot; cannot be sized to %2 pixels: %3</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="143"/>
        <source>這是 BMFont 描述檔，不是 GlyphSheet 專案檔</source>
        <translation>it is a BMFont descriptor, not a GlyphSheet project</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="144"/>
        <source>這是 PNG 圖像，不是 GlyphSheet 專案檔</source>
        <translation>it is a PNG image, not a GlyphSheet project</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="168"/>
        <source>擴充區塊中的距離場擴散 %1 不在 %2 之內</source>
        <translation>the extension block holds distance-field spread %1, outside %2</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="175"/>
        <source>這是資料夾，不是一般檔案</source>
        <translation>it is a folder, not a regular file</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="176"/>
        <source>這是具名管道（FIFO），不是一般檔案</source>
        <translation>it is a named pipe (FIFO), not a regular file</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="177"/>
        <source>這是字元裝置，不是一般檔案</source>
        <translation>it is a character device, not a regular file</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="178"/>
        <source>這是區塊裝置，不是一般檔案</source>
        <translation>it is a block device, not a regular file</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="179"/>
        <source>這是 socket，不是一般檔案</source>
        <translation>it is a socket, not a regular file</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="182"/>
        <source>這不是一般檔案</source>
        <translation>it is something else, not a regular file</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="200"/>
        <source>在 XML 格式中</source>
        <translation>in the XML form</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="201"/>
        <source>在 JSON 格式中</source>
        <translation>in the JSON form</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="202"/>
        <source>在文字格式的引號值中</source>
        <translation>in the text form&apos;s quoted value</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="203"/>
        <source>描述檔無法原樣寫入頁面檔名「%1」：%2不能出現%3</source>
        <translation>the descriptor cannot name the page file &quot;%1&quot;: %2 cannot stand %3</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="93"/>
        <source>無法跟隨連結：%1</source>
        <translation>cannot follow the link: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="99"/>
        <source>需要 %1 位元組，但檔案系統只剩 %2 位元組</source>
        <translation>it needs %1 bytes and its file system has %2 free</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="100"/>
        <source>檔案大於 %1 MiB</source>
        <translation>it is larger than %1 MiB</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="102"/>
        <source>檔案不完整：只有 %1 位元組，在%2（第 %3 至 %4 位元組）中斷</source>
        <translation>the file is truncated: it ends after %1 bytes, inside %2 (bytes %3 to %4)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="107"/>
        <source>字元數 %1 需要 %2 位元組，但只剩 %3 位元組（檔案不完整或已損壞）</source>
        <translation>the glyph count %1 needs %2 bytes but only %3 remain (the file is truncated or damaged)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="153"/>
        <source>擴充區塊不完整：需要 %1 位元組，但字元清單之後只有 %2 位元組</source>
        <translation>the extension block is truncated: it needs %1 bytes and the file has %2 after the glyph list</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="154"/>
        <source>擴充區塊之後還有 %1 位元組</source>
        <translation>the file goes on for %1 bytes after the extension block</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="156"/>
        <source>擴充區塊的版本是 %1，這個 GlyphSheet 無法讀取（由較新的版本寫入）</source>
        <translation>the extension block has version %1, which this GlyphSheet does not read (a newer one wrote it)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="158"/>
        <source>擴充區塊含有這個 GlyphSheet 不認識的設定 %1</source>
        <translation>the extension block holds setting %1, which this GlyphSheet does not know</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="159"/>
        <source>擴充區塊內的長度不相符（已損壞）</source>
        <translation>the lengths inside the extension block do not add up (it is damaged)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="160"/>
        <source>擴充區塊已損壞：檢查碼與內容不符</source>
        <translation>the extension block is damaged: its checksum does not match its bytes</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="162"/>
        <source>擴充區塊的第 %1 個字元代碼 %2 不是 Unicode 字元</source>
        <translation>glyph %1 of the extension block has code %2, which is not a Unicode character</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="166"/>
        <source>擴充區塊之前的字元清單與擴充區塊不符（檔案曾被其他程式修改）</source>
        <translation>the glyph list before the extension block does not match it (another program changed the file)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="170"/>
        <source>擴充區塊已損壞</source>
        <translation>the extension block is damaged</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="192"/>
        <source>位移 %1 的位元組 %2（不是 UTF-8）</source>
        <translation>byte %2 at offset %1 (not UTF-8)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="196"/>
        <source>%1（雙引號）</source>
        <translation>%1 (a double quote)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="197"/>
        <source>%1（控制字元）</source>
        <translation>%1 (a control character)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="198"/>
        <source>%1（非字元）</source>
        <translation>%1 (a noncharacter)</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="216"/>
        <location filename="../src/ui/failure_text.cpp" line="220"/>
        <source>%1「%2」：
%3</source>
        <translation>%1 &quot;%2&quot;:
%3</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="219"/>
        <source>無法完成先前中斷的輸出「%1」：
%2</source>
        <translation>Cannot finish the interrupted export of &quot;%1&quot;:
%2</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="221"/>
        <source>；沒有更改任何檔案</source>
        <translation>; nothing was changed</translation>
    </message>
    <message>
        <location filename="../src/ui/failure_text.cpp" line="223"/>
        <source>；「%1」是新的圖像，「%2」仍是舊的</source>
        <translation>; &quot;%1&quot; is the new image, &quot;%2&quot; the old</translation>
    </message>
</context>
<context>
    <name>GlyphSheetDialog</name>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="6"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="644"/>
        <source>GlyphSheet 1.0</source>
        <translation>GlyphSheet 1.0</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="402"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="782"/>
        <source>檢視</source>
        <translation>View</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="254"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="716"/>
        <source>寬度</source>
        <translation>Width</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="309"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="745"/>
        <source>高度</source>
        <translation>Height</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="31"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="654"/>
        <source>字型</source>
        <translation>Font</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="60"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="658"/>
        <source>平滑</source>
        <comment>quality</comment>
        <translation>Anti-aliased</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="208"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="706"/>
        <source>字元</source>
        <translation>Character</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="415"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="783"/>
        <source>縮放:</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="198"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="705"/>
        <source>字元</source>
        <comment>group</comment>
        <translation>Characters</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="437"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="787"/>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="264"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="319"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="717"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="746"/>
        <source>64</source>
        <translation>64</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="270"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="325"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="721"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="750"/>
        <source>128</source>
        <translation>128</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="276"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="331"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="725"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="754"/>
        <source>256</source>
        <translation>256</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="282"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="337"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="729"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="758"/>
        <source>512</source>
        <translation>512</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="288"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="343"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="733"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="762"/>
        <source>1024</source>
        <translation>1024</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="294"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="349"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="737"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="766"/>
        <source>2048</source>
        <translation>2048</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="300"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="355"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="741"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="770"/>
        <source>4096</source>
        <translation>4096</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="369"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="774"/>
        <source>最小的合適圖像</source>
        <translation>Smallest sheet that fits</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="41"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="655"/>
        <source>名稱</source>
        <translation>Face</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="48"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="656"/>
        <source>圖像上字元的字體，從已安裝的字型中選</source>
        <translation>The typeface of the characters on the sheet, one of the installed fonts</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="53"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="657"/>
        <source>品質</source>
        <translation>Quality</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="59"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="662"/>
        <source>平滑：字元邊緣有灰階；非平滑：只有黑與白</source>
        <translation>Anti-aliased: grey levels at the edges; aliased: black and white pixels only</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="61"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="659"/>
        <source>非平滑</source>
        <translation>Aliased</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="66"/>
        <source>距離場(&amp;D)</source>
        <translation>&amp;Distance field</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="67"/>
        <source>距離場：每個像素記下它到字元邊緣的距離（邊緣為 128，內側較高），放大縮小後邊緣仍清晰；勾選時品質與平滑不適用</source>
        <translation>Distance field: each pixel holds its distance to the character&apos;s edge (the edge at 128, inside higher), so edges stay sharp when the text is scaled; while ticked, the quality and smoothing do not apply</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="76"/>
        <source> 像素</source>
        <translation> px</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="77"/>
        <source>距離場擴散</source>
        <translation>Distance field spread</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="78"/>
        <source>距離場擴散：字元邊緣內外各多少像素之內記下距離，1 到 32</source>
        <translation>Distance field spread: how many pixels inside and outside a character&apos;s edge the field reaches, 1 to 32</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="83"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="664"/>
        <source>平滑</source>
        <comment>supersampling</comment>
        <translation>Smoothing</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="89"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="671"/>
        <source>超取樣：以 2 到 4 倍的大小繪製字元再縮小，邊緣更平滑；(沒有) 直接以原大小繪製</source>
        <translation>Supersampling: draws the characters 2 to 4 times larger, then reduces them for smoother edges; (none) draws them at their size</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="90"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="665"/>
        <source>(沒有)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="91"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="666"/>
        <source>2x2</source>
        <translation>2x2</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="92"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="667"/>
        <source>3x3</source>
        <translation>3x3</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="93"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="668"/>
        <source>4x4</source>
        <translation>4x4</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="98"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="673"/>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="107"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="675"/>
        <source>字型大小（點），5 到 100</source>
        <translation>Font size in points, 5 to 100</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="112"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="677"/>
        <source>字形</source>
        <translation>Weight</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="118"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="683"/>
        <source>字重：標準 (400)、中等 (600) 或粗體 (700)</source>
        <translation>Weight: normal (400), semibold (600) or bold (700)</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="119"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="678"/>
        <source>標準</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="120"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="679"/>
        <source>中等</source>
        <translation>Semibold</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="121"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="680"/>
        <source>粗體</source>
        <translation>Bold</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="126"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="685"/>
        <source>傾斜</source>
        <translation>Italic</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="127"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="687"/>
        <source>傾斜的字元</source>
        <translation>Slanted characters</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="139"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="220"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="689"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="708"/>
        <source>左邊框</source>
        <translation>Left border</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="148"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="691"/>
        <source>每個字元格子左邊加上的空白像素，0 到 16</source>
        <translation>Blank pixels added left of every character cell, 0 to 16</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="153"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="234"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="693"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="712"/>
        <source>右邊框</source>
        <translation>Right border</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="162"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="695"/>
        <source>每個字元格子右邊加上的空白像素，0 到 16</source>
        <translation>Blank pixels added right of every character cell, 0 to 16</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="167"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="697"/>
        <source>頂部邊框</source>
        <translation>Upper border</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="176"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="699"/>
        <source>每個字元格子上面加上的空白像素，0 到 16</source>
        <translation>Blank pixels added above every character cell, 0 to 16</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="181"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="701"/>
        <source>底部邊框</source>
        <translation>Lower border</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="190"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="703"/>
        <source>每個字元格子下面加上的空白像素，0 到 16</source>
        <translation>Blank pixels added below every character cell, 0 to 16</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="215"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="707"/>
        <source>選一個字元，為它另設左右邊框</source>
        <translation>Choose a character to give it left and right borders of its own</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="229"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="710"/>
        <source>所選字元左邊另加的空白像素，0 到 16</source>
        <translation>Extra blank pixels left of the chosen character, 0 to 16</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="243"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="714"/>
        <source>所選字元右邊另加的空白像素，0 到 16</source>
        <translation>Extra blank pixels right of the chosen character, 0 to 16</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="265"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="271"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="277"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="283"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="289"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="295"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="301"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="719"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="723"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="727"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="731"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="735"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="739"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="743"/>
        <source>圖像的寬度（像素）：64、128、256、512、1024、2048 或 4096</source>
        <translation>Sheet width in pixels: 64, 128, 256, 512, 1024, 2048 or 4096</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="320"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="326"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="332"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="338"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="344"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="350"/>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="356"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="748"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="752"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="756"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="760"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="764"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="768"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="772"/>
        <source>圖像的高度（像素）：64、128、256、512、1024、2048 或 4096</source>
        <translation>Sheet height in pixels: 64, 128, 256, 512, 1024, 2048 or 4096</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="370"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="776"/>
        <source>使用能放下所有字元的最小圖像（每邊最多 4096），寬度與高度由它選定</source>
        <translation>Take the smallest sheet that holds every character (up to 4096 each way); it chooses the width and height</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="375"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="778"/>
        <source>顯示矩型</source>
        <translation>Show cells</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="376"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="780"/>
        <source>在預覽中以虛線框出每個字元的格子</source>
        <translation>Outline every character cell in the preview with dots</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="430"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="785"/>
        <source>預覽的放大倍率，100% 到 1000%；在預覽上按住 Ctrl 轉動滾輪也可縮放</source>
        <translation>Preview zoom, 100% to 1000%; Ctrl+wheel over the preview zooms too</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="451"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="789"/>
        <source>預覽顯示的頁；一張圖像放不下所有字元時，字元接續到下一頁</source>
        <translation>The page the preview shows; characters one sheet cannot hold continue on further pages</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="459"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="792"/>
        <source>圖像預覽：滾輪上下捲動，Shift+滾輪左右捲動，Ctrl+滾輪縮放；方向鍵、Page Up、Page Down、Home 與 End 也可捲動</source>
        <translation>The sheet: the wheel scrolls it up and down, Shift+wheel across, Ctrl+wheel zooms; the arrow keys, Page Up, Page Down, Home and End scroll it too</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="467"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="795"/>
        <source>上下捲動預覽</source>
        <translation>Scrolls the preview up and down</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="475"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="798"/>
        <source>左右捲動預覽</source>
        <translation>Scrolls the preview across</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="491"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="800"/>
        <source>檔案(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="502"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="801"/>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="511"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="645"/>
        <source>新增(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="514"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="646"/>
        <source>開啟(&amp;O)</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="517"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="647"/>
        <source>儲存(&amp;S)</source>
        <translation>&amp;Save...</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="520"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="648"/>
        <source>輸出為 TGA &amp;&amp; XML(&amp;E)</source>
        <translation>&amp;Export as TGA &amp;&amp; XML...</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="523"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="649"/>
        <source>輸出為 BMFont(&amp;B)…</source>
        <translation>Export as &amp;BMFont...</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="526"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="650"/>
        <source>離開(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="529"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="651"/>
        <source>加入字元(&amp;A)…</source>
        <translation>&amp;Add Characters...</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="532"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="652"/>
        <source>字元集(&amp;C)…</source>
        <translation>&amp;Character Sets...</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.ui" line="535"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_glyph_sheet_dialog.h" line="653"/>
        <source>文字預覽(&amp;P)…</source>
        <translation>Text &amp;Preview...</translation>
    </message>
</context>
<context>
    <name>TextPreviewDialog</name>
    <message>
        <location filename="../src/ui/text_preview_dialog.ui" line="6"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_text_preview_dialog.h" line="79"/>
        <source>文字預覽</source>
        <translation>Text Preview</translation>
    </message>
    <message>
        <location filename="../src/ui/text_preview_dialog.ui" line="12"/>
        <location filename="../build/src/ui/glyphsheet_ui_autogen/include/ui_text_preview_dialog.h" line="80"/>
        <source>文字：</source>
        <translation>Text:</translation>
    </message>
</context>
<context>
    <name>WriterWait</name>
    <message>
        <location filename="../src/ui/writer_wait.cpp" line="13"/>
        <source>另一個 GlyphSheet 正在寫入「%1」，等它寫完後再寫入……</source>
        <translation>Another GlyphSheet run is writing “%1”; this one writes when it has finished…</translation>
    </message>
    <message>
        <location filename="../src/ui/writer_wait.cpp" line="13"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/ui/writer_wait.cpp" line="16"/>
        <source>等待中</source>
        <translation>Waiting</translation>
    </message>
</context>
<context>
    <name>glyphsheet::CharacterSetsDialog</name>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="20"/>
        <source>ASCII：可列印字元 U+0020-U+007E</source>
        <translation>ASCII: the printable characters U+0020-U+007E</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="22"/>
        <source>ISO 8859-1：可列印的 ASCII 與 Latin-1 補充字元</source>
        <translation>ISO 8859-1: printable ASCII and the Latin-1 supplement</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="24"/>
        <source>Windows-1252：西歐字碼頁的每個可列印字元</source>
        <translation>Windows-1252: every printable character of the Western code page</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="26"/>
        <source>Big5 常用字</source>
        <translation>Big5 level 1: frequently used hanzi</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="27"/>
        <source>Big5 次常用字</source>
        <translation>Big5 level 2: less frequently used hanzi</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="28"/>
        <source>GB 2312 一級漢字</source>
        <translation>GB 2312 level 1: common hanzi</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="29"/>
        <source>GB 2312 二級漢字</source>
        <translation>GB 2312 level 2: less common hanzi</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="30"/>
        <source>JIS X 0208 第一水準漢字</source>
        <translation>JIS X 0208 level 1: common kanji</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="32"/>
        <source>JIS X 0208 第二水準漢字</source>
        <translation>JIS X 0208 level 2: less common kanji</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="34"/>
        <source>平假名與片假名</source>
        <translation>Hiragana and katakana</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="35"/>
        <source>KS X 1001：2350 個常用韓文音節</source>
        <translation>KS X 1001: the 2350 common hangul syllables</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="37"/>
        <source>字型對應的每個字元</source>
        <translation>Every character the font maps</translation>
    </message>
    <message>
        <location filename="../src/ui/character_sets_dialog.cpp" line="121"/>
        <source>「%1」不是範圍：請寫成「起點-終點」或單一字元代碼，代碼寫成 U+XXXX、0xXXXX 或十進位數字，最大 U+10FFFF，起點不可大於終點。</source>
        <translation>&quot;%1&quot; is not a range: write FIRST-LAST or a single code point, each as U+XXXX, 0xXXXX or a decimal number, at most U+10FFFF, FIRST not past LAST.</translation>
    </message>
</context>
<context>
    <name>glyphsheet::GlyphListModel</name>
    <message>
        <location filename="../src/ui/glyph_list_model.cpp" line="34"/>
        <source>%1 — 字型中沒有</source>
        <translation>%1 — not in the font</translation>
    </message>
</context>
<context>
    <name>glyphsheet::GlyphSheetDialog</name>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="51"/>
        <source>字體 (*.fnt)</source>
        <translation>GlyphSheet projects (*.fnt)</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="51"/>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="725"/>
        <source>所有 (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="56"/>
        <source>Targa 圖像 (*.tga)</source>
        <translation>Targa images (*.tga)</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="95"/>
        <source>BMFont 文字 (*.fnt)</source>
        <translation>BMFont text (*.fnt)</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="95"/>
        <source>BMFont XML (*.xml)</source>
        <translation>BMFont XML (*.xml)</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="96"/>
        <source>BMFont 二進位 (*.fnt)</source>
        <translation>BMFont binary (*.fnt)</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="96"/>
        <source>BMFont JSON (*.json)</source>
        <translation>BMFont JSON (*.json)</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="219"/>
        <source>變更圖像大小</source>
        <translation>Change the sheet size</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="220"/>
        <source>變更字型設定</source>
        <translation>Change a font setting</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="247"/>
        <source>變更字元邊界</source>
        <translation>Change a character&apos;s borders</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="414"/>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="427"/>
        <source>加入字元</source>
        <translation>Add characters</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="418"/>
        <source>下列字元是控制字元或非字元，無法放在圖像上，未加入：%1</source>
        <translation>These are control characters or noncharacters, which a sheet cannot hold; they were not added: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="419"/>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="600"/>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="688"/>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="448"/>
        <source>無法儲存專案檔</source>
        <translation>Cannot save the project</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="454"/>
        <source>已儲存「%1」</source>
        <translation>Saved “%1”</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="473"/>
        <source>無法開啟專案檔</source>
        <translation>Cannot open the project</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="480"/>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="839"/>
        <source>無法開啟字型檔</source>
        <translation>Cannot open the font file</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="506"/>
        <source>這個專案的字型「%1」沒有安裝，改用最接近的「%2」。儲存時專案仍記下「%1」，除非你另選字型。</source>
        <translation>The project&apos;s typeface “%1” is not installed; the closest installed one, “%2”, is used instead. The project still names “%1” when saved, unless you pick another typeface.</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="557"/>
        <source>無法輸出 TGA 與 XML</source>
        <translation>Cannot export the TGA and XML</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="586"/>
        <source>無法輸出 BMFont</source>
        <translation>Cannot export the BMFont</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="599"/>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="600"/>
        <source>已輸出 %1</source>
        <translation>Exported %1</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="602"/>
        <source>（%n 個字元不在圖像上，未輸出）</source>
        <translation>
            <numerusform> (%n character is not on the sheet and was left out)</numerusform>
            <numerusform> (%n characters are not on the sheet and were left out)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="657"/>
        <source>第 </source>
        <comment>before the page number</comment>
        <translation>page </translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="658"/>
        <source> 頁，共 %1 頁</source>
        <comment>after the page number</comment>
        <translation> of %1</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="674"/>
        <source>。</source>
        <translation>. </translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="675"/>
        <source>%1 × %2，%3 個字元</source>
        <translation>%1 × %2, %3 characters</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="688"/>
        <source>，%1 頁：%2</source>
        <translation>; %1 pages: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="690"/>
        <source>，其中 %1 個超出圖像範圍</source>
        <translation>, %1 of them past the edge of the sheet</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="693"/>
        <source>，字型中沒有 %n 個字元</source>
        <translation>
            <numerusform>; %n character is not in the font</numerusform>
            <numerusform>; %n characters are not in the font</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="696"/>
        <source>。專案的%1，改用「%2」</source>
        <translation>. The project&apos;s %1; &quot;%2&quot; is used instead</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="700"/>
        <source>。無法建立字型：%1</source>
        <translation>. Cannot make the font: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="714"/>
        <source>另存新檔(&amp;A)…</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="721"/>
        <source>開啟字型檔(&amp;F)…</source>
        <translation>Open &amp;Font File...</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="725"/>
        <source>字型檔 (*.ttf *.otf *.ttc)</source>
        <translation>Font files (*.ttf *.otf *.ttc)</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="732"/>
        <source>最近開啟的專案(&amp;R)</source>
        <translation>&amp;Recent Projects</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="738"/>
        <source>編輯(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="740"/>
        <source>復原(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="743"/>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="751"/>
        <source>說明(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="753"/>
        <source>關於 GlyphSheet(&amp;A)</source>
        <translation>&amp;About GlyphSheet</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="846"/>
        <source>使用字型檔</source>
        <translation>Use a font file</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="852"/>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="865"/>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="853"/>
        <source>「%1」有未儲存的變更，要先儲存嗎？</source>
        <translation>“%1” has unsaved changes. Save them first?</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="866"/>
        <source>%1[*] — GlyphSheet</source>
        <translation>%1[*] — GlyphSheet</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="908"/>
        <source>關於 GlyphSheet</source>
        <translation>About GlyphSheet</translation>
    </message>
    <message>
        <location filename="../src/ui/glyph_sheet_dialog.cpp" line="909"/>
        <source>&lt;p&gt;&lt;b&gt;GlyphSheet %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;把已安裝的字型做成點陣字型圖像（TGA 與 XML，或 PNG 與 BMFont 描述檔）。&lt;/p&gt;&lt;p&gt;GlyphSheet 以 MIT 授權發布。&lt;/p&gt;&lt;p&gt;使用的程式庫：Qt %2（LGPL 3）、FreeType（FreeType 授權）、fontconfig（MIT 式授權）、HarfBuzz（MIT 授權）、libspng（BSD 2 條款授權）。&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;GlyphSheet %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Bitmap font sheets from installed fonts (TGA and XML, or PNG and a BMFont descriptor).&lt;/p&gt;&lt;p&gt;GlyphSheet is released under the MIT licence.&lt;/p&gt;&lt;p&gt;Libraries used: Qt %2 (LGPL 3), FreeType (FreeType licence), fontconfig (MIT-style licence), HarfBuzz (MIT licence), libspng (BSD 2-clause licence).&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>glyphsheet::TextPreviewDialog</name>
    <message>
        <location filename="../src/ui/text_preview_dialog.cpp" line="75"/>
        <source>不在圖像上，略過：%1</source>
        <translation>Not on the sheet, skipped: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/text_preview_dialog.cpp" line="75"/>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
</TS>
