#pragma once
// The night run's clock arithmetic: the start time typed by the user, the moment the run is due
// and the countdown text. The run is due one second before the start time, or at once when the
// start time passed less than a second before arming; a start time that passed longer before
// arming means the same time on the next day. A late tick never skips a day: the run is due from
// that moment on until it starts.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

namespace tess {

// The start time in tbRunTime: "8:30:00 PM", "20:30", "20:30:00", or the locale's time format.
// nullopt when the text is no time.
std::optional<QTime> parseRunTime(const QString &text, const QLocale &locale = QLocale());

// The start moment for a run armed at armedAt.
QDateTime nightRunStart(const QTime &start, const QDateTime &armedAt);

// True from one second before start on.
bool nightRunDue(const QDateTime &start, const QDateTime &now);

// The time to go as H:MM:SS (hours not padded); never negative.
QString countdownText(qint64 seconds);

} // namespace tess
