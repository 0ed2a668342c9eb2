#pragma once
// The application title: the caption of the application's message boxes and of its error box.
// Kept here rather than as Qt's application display name, which Qt appends to the title of every
// window ("About — ..."), while each window's title must be exactly its own caption.

#include <QString>

QString ApplicationTitle();
void SetApplicationTitle(const QString& title);
