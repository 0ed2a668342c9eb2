#pragma once
// Prints a pane's document on a printer, paginated to the printer's page with the given margins.

#include <QString>

class QPrinter;
class QTextDocument;

// Returns the number of pages printed; a document without content prints nothing. Throws
// std::runtime_error when the printer cannot be started.
int PrintDocument(const QTextDocument& document, QPrinter& printer, const QString& jobTitle, double marginMm);
