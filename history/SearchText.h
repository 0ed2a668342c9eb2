#pragma once
// The form in which text is indexed and searched: what a reader does not tell apart is made the
// same. Stored copies and queries go through this one routine, so they always agree.

#include <QString>

// Compatibility forms unfolded (Arabic presentation forms, ligatures, full-width Latin) and case
// folded; harakat and the other Arabic marks (U+064B to U+065F, U+0670) and tatweel dropped;
// the alef forms (U+0622, U+0623, U+0625, U+0671) made bare alef, alef maqsura yeh and teh
// marbuta heh.
QString NormalizeSearchText(const QString& text);
