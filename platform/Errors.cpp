#include "platform/Errors.h"

namespace ptlog {

QString ErrorDescription(int number) {
  switch (number) {
    case ErrOverflow: return QStringLiteral("オーバーフローしました。");
    case ErrDivisionByZero: return QStringLiteral("0 で除算しました。");
    case ErrTypeMismatch: return QStringLiteral("型が一致しません。");
    case ErrFileNotFound: return QStringLiteral("ファイルが見つかりません。");
    case ErrDiskFull: return QStringLiteral("ディスクがいっぱいです。");
    case ErrInputPastEnd: return QStringLiteral("ファイルの終わりを越えて入力しようとしました。");
    case ErrPathFileAccess: return QStringLiteral("パス名が無効です。");
    case ErrPathNotFound: return QStringLiteral("パスが見つかりません。");
    case ErrInvalidPropertyValue: return QStringLiteral("プロパティの値が不正です。");
    case ErrInvalidPortNumber: return QStringLiteral("ポート番号が不正です。");
    default: return QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。");
  }
}

PlatformError::PlatformError(int number) : PlatformError(number, ErrorDescription(number)) {}

PlatformError::PlatformError(int number, QString description)
    : std::runtime_error("error " + std::to_string(number)),
      number_(number),
      description_(std::move(description)) {}

QString ErrorMessageText(const PlatformError& error) {
  const QString number = QString::number(error.Number());
  return (error.Number() >= 0 ? QStringLiteral(" ") : QString()) + number + QChar(13) + error.Description();
}

}  // namespace ptlog
