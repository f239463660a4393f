#include "engine/match_article.h"

#include "catalog/data_module.h"
#include "engine/element_facts.h"
#include "engine/engine_hooks.h"
#include "engine/field_cache.h"
#include "engine/filter_guard.h"
#include "engine/rules.h"
#include "foundation/error.h"

bool MatchArticle(const TArticleRequest& request, TArticleMatch& match)
{
    match = TArticleMatch();
    TDM& dm = EngineCatalog();
    TTable& arts = dm.T_FrnArt;
    const QString& element = request.Query.ElementId;
    if (!HasRow(arts, QStringLiteral("ID"), element))
        return false;

    const TElementFacts facts = ElementFacts(element);
    if (!facts.Found)
        throw TError(QStringLiteral("Элемент фурнитуры [%1] не найден в документации!").arg(element));
    const QString& elementName = facts.Name;
    const TElementFlags& flags = facts.Flags;
    if (flags.HasProfSys && request.Query.KeeperSystem.isEmpty())
        throw TError(QStringLiteral("Для комплекта фурнитуры [%1]\r\nне указана система ответных планок!")
                         .arg(request.OwnerName));

    const TArticleFilter filter = BuildArticleFilter(flags, request.Query);
    bool found = false;
    {
        TFilterGuard guard(arts, filter.Filter);
        found = arts.RecordCount() > 0;
        if (!found && flags.HasColor) {
            guard.Change(filter.Fallback);
            found = arts.RecordCount() > 0;
        }
        if (found) {
            arts.First();
            if (arts.RecordCount() > 1)
                ArticleChooser().Choose(
                    arts, QStringLiteral("CatalogID"), {QStringLiteral("CatalogID"), QStringLiteral("CatalogNameLookup")},
                    QStringLiteral("Список артикулов"),
                    QStringLiteral("В документации присутствует несколько альтернативных вариантов. Выберите нужный элемент."));
            if (!arts.Eof() || arts.RecordCount() > 0) {
                match.Article = Field(arts, "CatalogID").AsString();
                match.HandleHeight = Field(arts, "HandleHeight").AsInteger();
            }
        }
    }

    if (!found) {
        match.HandleHeight = 0;
        if (!request.Required)
            return false;
        if (!request.AlertText.isEmpty())
            throw TError(request.AlertText);
        throw TError(QStringLiteral("В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры "
                                    "[%1]!\r\n\r\nИскомый запрос:\r\n%2")
                         .arg(elementName, filter.Filter));
    }
    if (match.Article.isEmpty())
        throw TError(QStringLiteral("В БД артикулов фурнитуры найден пустой\r\nартикул для элемента фурнитуры [%1]!")
                         .arg(elementName));
    if (!request.DefineHandleHeight)
        match.HandleHeight = 0;
    else if (match.HandleHeight == 0)
        match.HandleHeight = RoundHalfAway(filter.Dimension / 2);
    return true;
}
