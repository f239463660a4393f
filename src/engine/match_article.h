#pragma once

#include <QString>

#include "engine/filter_text.h"

// One article search: the element, the owner named in the keeper-system message, whether a
// missing article is an error and the alert text that then replaces the standard message, the
// handle-height flag, and the sash's values of TArticleQuery.
struct TArticleRequest
{
    TArticleQuery Query;
    QString OwnerName;
    bool Required = false;
    QString AlertText;
    bool DefineHandleHeight = false;
};

struct TArticleMatch
{
    QString Article;
    int HandleHeight = 0;
};

// Finds the FrnArt article of an element for the sash's values; false when the element has no
// articles at all, or none fits and it is not required. Asks the chooser when several fit.
bool MatchArticle(const TArticleRequest& request, TArticleMatch& match);
