#pragma once

#include <QString>
#include <stdexcept>

namespace ptlog {

// Error numbers are fixed: the messages the user sees show them, and users
// report them by number.
enum ErrorNumber : int {
  ErrOverflow = 6,
  ErrDivisionByZero = 11,
  ErrTypeMismatch = 13,
  ErrFileNotFound = 53,
  ErrDiskFull = 61,
  ErrInputPastEnd = 62,
  ErrPathNotFound = 76,
  ErrPathFileAccess = 75,
  ErrInvalidPropertyValue = 380,
  ErrInvalidPortNumber = 8002,
};

// The Japanese description shown with an error number.
QString ErrorDescription(int number);

// An error carried from the place that knows it to the message box that shows it.
class PlatformError : public std::runtime_error {
public:
  explicit PlatformError(int number);
  PlatformError(int number, QString description);

  int Number() const { return number_; }
  const QString& Description() const { return description_; }

private:
  int number_;
  QString description_;
};

// Number (with a leading blank when not negative), CR, description.
QString ErrorMessageText(const PlatformError& error);

}  // namespace ptlog
