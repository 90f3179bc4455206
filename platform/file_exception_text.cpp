// Wording of a file failure for the user, the same on every system; only the
// system's own reason comes from SystemErrorText.
#include "platform/file.h"

namespace larkfold {
namespace {

std::string Reason(const CFileException& error) {
  if (error.m_lOsError > 0) {
    return SystemErrorText(error.m_lOsError);
  }
  if (error.m_cause == CFileException::diskFull) {
    return "ディスクがいっぱいです";
  }
  if (error.m_cause == CFileException::endOfFile) {
    return "ファイルの終わりに達しました";
  }
  return "原因不明のエラー";
}

}  // namespace

std::string DescribeFileException(const CFileException& error) {
  const std::string file = "「" + error.m_strFileName + "」";
  std::string what;
  switch (error.m_operation) {
    case CFileException::Operation::open:
      what = file + "を開けませんでした";
      break;
    case CFileException::Operation::length:
      what = file + "の長さを取得できませんでした";
      break;
    case CFileException::Operation::read:
      what = file + "の読み込み中にエラーが発生しました";
      break;
    case CFileException::Operation::write:
      what = file + "への書き込み中にエラーが発生しました";
      break;
    case CFileException::Operation::close:
      what = file + "を閉じる際にエラーが発生しました";
      break;
    case CFileException::Operation::replace:
      what = file + "を置き換えられませんでした";
      break;
  }
  return what + "（" + Reason(error) + "）";
}

}  // namespace larkfold
