#include "ApplicationTitle.h"

namespace {

// GUI thread only, as every window and box that reads it.
QString& Title()
{
    static QString title;
    return title;
}

} // namespace

QString ApplicationTitle()
{
    return Title();
}

void SetApplicationTitle(const QString& title)
{
    Title() = title;
}
