#pragma once

#include <QString>

// Who made the tool and where feedback goes: shown in the About window and
// used as the mail link's recipient.
inline const QString kMakerName = QStringLiteral("Quillon Software");
inline const QString kMakerFeedbackAddress = QStringLiteral("feedback@quillon.example");

// The feedback mail link for a window titled `caption`, as plain text: the
// title is the subject and, in double apostrophes, ends the body. Nothing is
// percent-encoded here; that is the shell's business.
QString feedbackMailLink(const QString &caption);
