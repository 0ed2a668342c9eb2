#pragma once
// What a translation came to, decoded on the worker's thread, so that its receiver only has to
// show it.

#include <QString>

struct TTranslationResult
{
    // With WM_TRANSLATION_DONE: the translation, or the error text its answer decoded to (then
    // the translation is empty). With WM_TRANSLATION_FAILED: the text of what failed, as the
    // user is to see it.
    QString Translation;
    QString ErrorText;
    // The endpoint client id that gave the last answer; empty when none came.
    QString ClientId;
};
