// Every error and notice the program shows, in one place: the patterns take
// their "%s" arguments through ComposeMessage, in the order written.
#pragma once

#include <string>
#include <string_view>

namespace tavlin {

// One thing the program tells the user: a notice of where something went,
// shown with the information icon, or a failure, with the error icon.
struct UserReport {
  enum class Kind { Notice, Failure };
  Kind kind;
  std::string text;
  bool operator==(const UserReport&) const = default;
};

// Files.
inline constexpr std::string_view kCannotOpenFile = "ファイル %s は開けません";
inline constexpr std::string_view kCannotCreateFile =
    "ファイル %s を作成できません";
inline constexpr std::string_view kWriteError = "ストリームへの書き込みエラー";
inline constexpr std::string_view kTextTooLargeForBox =
    "文字列の大きさが メモ の制限を越えました";
inline constexpr std::string_view kTextTooLargeToConvert =
    "文字列が大きすぎるため変換できません";

// Storage lists: where the text went when its file was left alone.
inline constexpr std::string_view kLeftUnreadFile =
    "ファイル %s は読み込めなかったため、そのままにしました。"
    "保管庫の内容は %s に保存しました";
inline constexpr std::string_view kLeftChangedFile =
    "ファイル %s は起動後にほかのプログラムが書き換えたため、"
    "そのままにしました。保管庫の内容は %s に保存しました";
inline constexpr std::string_view kLeftUnreplaceableFile =
    "ファイル %s を書き換えられなかったため、そのままにしました。"
    "保管庫の内容は %s に保存しました";
inline constexpr std::string_view kLeftLockedFile =
    "ファイル %s はほかの Tavlin が使い続けているため、そのままにしました。"
    "保管庫の内容は %s に保存しました。次の起動で取り込みます";
inline constexpr std::string_view kSavedInUserFolder =
    "フォルダー %s に書き込めないため、保管庫を %s "
    "に保存しました。次回からはこちらを読み込みます";
inline constexpr std::string_view kSavedBesideInUserFolder =
    "ファイル %s に書き込めないため、保管庫の内容を %s に保存しました";
inline constexpr std::string_view kListBusy =
    "ほかの Tavlin が %s を保存しているため、保存できませんでした";
inline constexpr std::string_view kCannotSaveList =
    "保管庫「%s」を保存できません。%s";
inline constexpr std::string_view kTakenInLines =
    "ほかの場所で追加された %s 行を取り込みました";
inline constexpr std::string_view kNotDecodedCleanly =
    "ファイル %s には読み取れない文字があるため、保管庫に表示せず、そのままに"
    "しておきます。この回に加えた標語は、横の別のファイルに保存します";
inline constexpr std::string_view kRemovedElsewhere =
    "ほかの場所で %s 行が消されました。右クリックの「消された行を戻す」"
    "で戻せます";
inline constexpr std::string_view kDroppedAtLastClose =
    "前回閉じたとき、%s保管庫から、ほかの場所で消されていた %s 行を外しました。"
    "保管庫の右クリックの「消された行を戻す」で戻せます";
inline constexpr std::string_view kLoadedOtherPlace =
    "ファイル %s は開けないため、%s を読み込みました";

// The rhythm meter.
inline constexpr std::string_view kNoReadingDictionary =
    "音数: 読み辞書 %s がないため、音数は表示しません";
inline constexpr std::string_view kUnusableReadingDictionary =
    "音数: 読み辞書 %s は使えないため、音数は表示しません（%s）";
inline constexpr std::string_view kDamagedReadingDictionary =
    "読み辞書が壊れています";
inline constexpr std::string_view kOtherReadingDictionaryVersion =
    "読み辞書の版が違います";
inline constexpr std::string_view kBadWorkplaceReadings =
    "%s の %s 行目は「語、タブ、かなの読み」の形ではないため、使いません";
inline constexpr std::string_view kUnreadableWorkplaceReadings =
    "%s には読み取れない文字があるため、使いません";
inline constexpr std::string_view kFewFiveSevenFive =
    "%s 回引いて、五・七・五の標語は %s "
    "件でした。近いものを合わせて表示しています";

// The phrase workshop.
inline constexpr std::string_view kScanShare =
    "五・七・五になる標語: %s / %s（%s%）";
inline constexpr std::string_view kThemeNameEmpty =
    "テーマの名前を入力してください";
inline constexpr std::string_view kThemeNameTooLong =
    "テーマの名前は %s 文字までです";
inline constexpr std::string_view kThemeNameBadCharacter =
    "テーマの名前に「%s」は使えません";
inline constexpr std::string_view kThemeExists = "テーマ「%s」はもうあります";
inline constexpr std::string_view kPhraseFileExists =
    "ファイル %s がもうあるため、テーマを作りません";
inline constexpr std::string_view kPhrasePlaceNames[] = {"上の句", "中の句",
                                                         "下の句"};
// "下の句に語句がないため、見本は作れません"; places joined by "と".
inline constexpr std::string_view kSamplesNeedPhrases =
    "%sに語句がないため、見本は作れません";

// The tally of the vote sheets.
inline constexpr std::string_view kNoSlogansToTally =
    "保管庫に標語がないため、投票は集計できません";
// Vote sheets the tally could not read: each follows the file's name.
inline constexpr std::string_view kVoteSheetMissing =
    "ファイルが見つかりません";
inline constexpr std::string_view kVoteSheetHeld =
    "ほかのプログラムが開いていて読めません。そのプログラムで閉じてから、"
    "もう一度集計してください";
inline constexpr std::string_view kVoteSheetDenied =
    "読み取りが許可されていません";
inline constexpr std::string_view kVoteSheetTooLarge =
    "%s MB を超えるため、投票用紙として読みません";
inline constexpr std::string_view kVoteSheetUnreadable =
    "読み取れません（エラー %s）";

// Windows and drawing.
inline constexpr std::string_view kCannotRegisterWindowClass =
    "ウィンドウクラスを登録できません";
inline constexpr std::string_view kCannotCreateWindow =
    "ウィンドウを作成できません";
inline constexpr std::string_view kCannotCreateControl =
    "コントロールを作成できません";
inline constexpr std::string_view kCannotCreateFont =
    "フォントを作成できません";
inline constexpr std::string_view kCannotDrawPoster =
    "ポスターの画像を作成できません";
inline constexpr std::string_view kCannotCreatePng = "PNG 画像を作成できません";
inline constexpr std::string_view kCannotShowSaveDialog =
    "保存のダイアログを表示できません";
inline constexpr std::string_view kCannotShowOpenDialog =
    "ファイルを開くダイアログを表示できません";
inline constexpr std::string_view kTooManyFilesChosen =
    "選んだファイルが多すぎます";
inline constexpr std::string_view kCannotShowPrintDialog =
    "印刷のダイアログを表示できません";
inline constexpr std::string_view kCannotPrint =
    "印刷できません。プリンターを確かめてください";

// The clipboard and memory.
inline constexpr std::string_view kCannotOpenClipboard =
    "クリップボードを開けません";
inline constexpr std::string_view kCannotCopyToClipboard =
    "クリップボードにコピーできません";
inline constexpr std::string_view kOutOfMemory = "メモリが足りません";
inline constexpr std::string_view kUnexpectedError =
    "予期しないエラーが発生しました";

// The shell: a failure the system gave no text for, and an object that
// lacks an interface it must have.
inline constexpr std::string_view kOleErrorPrefix = "OLE エラー ";
inline constexpr std::string_view kInterfaceNotSupported =
    "Interface not supported";

}  // namespace tavlin
