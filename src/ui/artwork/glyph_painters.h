#pragma once
// One function per glyph, each drawing on a fresh 16 x 16 picture.
#include <QPainter>

namespace kestrin::artwork::glyphs {

// Mail and documents.
void paintMail(QPainter& painter);
void paintAccepted(QPainter& painter);
void paintAddAccount(QPainter& painter);
void paintReport(QPainter& painter);
void paintAddressBook(QPainter& painter);
void paintShowWindow(QPainter& painter);
void paintUpdate(QPainter& painter);
void paintArchive(QPainter& painter);

// Marks and states.
void paintInfo(QPainter& painter);
void paintDeleted(QPainter& painter);
void paintError(QPainter& painter);
void paintChecked(QPainter& painter);
void paintMarkedForDeletion(QPainter& painter);
void paintDate(QPainter& painter);
void paintResetStatistics(QPainter& painter);
void paintStatistics(QPainter& painter);
void paintSettings(QPainter& painter);

// People, rules, arrows and the Bayes marks.
void paintFriend(QPainter& painter);
void paintAddFriend(QPainter& painter);
void paintRule(QPainter& painter);
void paintAddRule(QPainter& painter);
void paintForward(QPainter& painter);
void paintReply(QPainter& painter);
void paintBayesGood(QPainter& painter);
void paintBayesSpam(QPainter& painter);

} // namespace kestrin::artwork::glyphs
