#include "engine/expand_complect.h"

#include <climits>

#include "catalog/data_module.h"
#include "engine/engine_hooks.h"
#include "engine/complect_rows.h"
#include "engine/element_facts.h"
#include "engine/engine_sash.h"
#include "engine/field_cache.h"
#include "engine/filter_guard.h"
#include "engine/match_article.h"
#include "engine/param_lookups.h"
#include "engine/rules.h"
#include "foundation/error.h"

namespace {

const QString RowIntro = QStringLiteral("В БД наборов фурнитуры в комплекте [%1]\r\nсодержится элемент фурнитуры [%2],\r\n");
const QString InstallIntro = QStringLiteral("для которого определены условия установки, зависящие от\r\n");
const QString PrincipleIntro = QStringLiteral("который использует принцип расчета, зависящий от\r\n");

enum class TNumberCheck { L1, L2, R1, R2, Angle, Adjacent, Side1, Side2, Corner };

QString NumberMessage(TNumberCheck which)
{
    const QString sideOn = QStringLiteral("длины стороны, на которую он устанавливается.\r\n");
    const QString radiusOn = QStringLiteral("радиуса стороны, на которую он устанавливается.\r\n");
    const QString principleSide = QStringLiteral("параметров стороны, на которую он устанавливается.\r\n");
    switch (which) {
    case TNumberCheck::L1:
        return RowIntro + InstallIntro + sideOn + QStringLiteral("Номер 1-ой расчетной стороны в условиях определен неверно!");
    case TNumberCheck::L2:
        return RowIntro + InstallIntro + sideOn + QStringLiteral("Номер 2-ой расчетной стороны в условиях определен неверно!");
    case TNumberCheck::R1:
        return RowIntro + InstallIntro + radiusOn + QStringLiteral("Номер 1-ой расчетной стороны в условиях определен неверно!");
    case TNumberCheck::R2:
        return RowIntro + InstallIntro + radiusOn + QStringLiteral("Номер 2-ой расчетной стороны в условиях определен неверно!");
    case TNumberCheck::Angle:
        return RowIntro + InstallIntro + QStringLiteral("параметров угла, на который он устанавливается.\r\n") +
               QStringLiteral("Номер расчетного угла в условиях определен неверно!");
    case TNumberCheck::Adjacent:
        return RowIntro + InstallIntro + QStringLiteral("длины стороны смежной створки.\r\n") +
               QStringLiteral("Номер стороны смежной створки в условиях определен неверно!");
    case TNumberCheck::Side1:
        return RowIntro + PrincipleIntro + principleSide + QStringLiteral("Номер 1-ой расчетной стороны определен неверно!");
    case TNumberCheck::Side2:
        return RowIntro + PrincipleIntro + principleSide + QStringLiteral("Номер 2-ой расчетной стороны определен неверно!");
    case TNumberCheck::Corner:
        return RowIntro + PrincipleIntro + QStringLiteral("угла, на котором он устанавливается.\r\n") +
               QStringLiteral("Номер расчетного угла определен неверно!");
    }
    return QString();
}

// One FrnSet row being examined, with the names its messages use.
struct TRow
{
    const TComplectRow& Set;
    QString ComplectName;
    QString ElementName;

    [[noreturn]] void Fail(const QString& message) const { throw TError(message.arg(ComplectName, ElementName)); }
    // The 0-based index of a 1-based side or corner number, or the number's message.
    int Index(int number, int count, TNumberCheck which) const
    {
        if (number < 1 || number > count)
            Fail(NumberMessage(which));
        return number - 1;
    }
};

// A window of [min, max]: a maximum of 0 or less is no upper bound.
bool InWindow(double value, double min, double max)
{
    if (max > 0 && !(max >= value))
        return false;
    return !(min > value);
}

bool RadiusWindow(const TRow& row, const TEngineSash& sash, const TComplectRow::TWindow& w, TNumberCheck which)
{
    const double rMin = w.Min, rMax = w.Max;
    const int kinds = w.Type;
    if (rMin == 0 && rMax == 0 && kinds < 2)
        return true;
    const int i = row.Index(w.No, sash.SideCount(), which);
    const int r = RoundHalfAway(sash.Radius1(i) / 10.0);
    if (!InWindow(r, rMin, rMax))
        return false;
    if (kinds != 0 && !HasBit(kinds, 1))
        return (sash.IsFullArc(i) && HasBit(kinds, 2)) || (sash.IsPartialArc(i) && HasBit(kinds, 3)) ||
               (sash.IsElliptic(i) && HasBit(kinds, 4));
    return true;
}

QString ColorByRule(int rule, const TExpansionContext& c)
{
    switch (rule) {
    case 1:
        return c.OuterColor;
    case 2:
        return c.InnerColor;
    case 3:
        return c.Params.OpenType == 1 ? c.OuterColor : c.InnerColor;
    default:
        return c.DecorColor;
    }
}

const QString AdjacentMissing =
    RowIntro + InstallIntro +
    QStringLiteral("длины стороны смежной створки.\r\nСмежная створка не установлена. Установите сначала створку.");

bool AdjacentWindow(const TRow& row, const TExpansionContext& c, const TComplectRow::TWindow& w)
{
    if (w.Min == 0 && w.Max == 0)
        return true;
    if (!c.Adjacent)
        row.Fail(AdjacentMissing);
    const int i = row.Index(w.No, c.Adjacent->SideCount(), TNumberCheck::Adjacent);
    return InWindow(c.Adjacent->SideLength(i), w.Min, w.Max);
}

bool LengthWindow(const TRow& row, const TEngineSash& sash, const TComplectRow::TWindow& w, TNumberCheck which)
{
    if (w.Min == 0 && w.Max == 0)
        return true;
    const int i = row.Index(w.No, sash.SideCount(), which);
    return InWindow(sash.SideLength(i), w.Min, w.Max);
}

bool IsVirtualElement(const QString& element)
{
    const TElementFacts facts = ElementFacts(element);
    return facts.Found && facts.Virtual;
}

// Steps after the filter: one row of the complect.
void ExpandRow(TRow& row, const QString& complectId, int slot, const TExpansionContext& c)
{
    TEngineSash& sash = *c.Sash;
    const TComplectRow& set = row.Set;
    const QString& element = set.Item;
    if (element.isEmpty())
        throw TError(QStringLiteral("В БД наборов фурнитуры в комплекте\r\n[%1] содержится пустой элемент!")
                         .arg(row.ComplectName));
    row.ElementName = ElementFacts(element).Name;
    if (!PropKeyAllowed(set.PropKey, sash.Properties(), slot))
        return;

    const QString& useIfArt = set.UseIfArt;
    if (!useIfArt.isEmpty()) {
        if (!c.Adjacent || !c.Adjacent->HasComplect())
            row.Fail(RowIntro + QStringLiteral("для которого определена ссылка на артикул смежной штульповой створки.\r\n"
                                               "Комплект для смежной створки еще не определен. Установите сначала "
                                               "комплект на соседнюю створку!"));
        if (c.Adjacent->FindArticle(useIfArt) < 0)
            return;
    }

    const int ffbMax = set.FFBMax, ffhMax = set.FFHMax;
    if ((ffbMax > 0 && ffbMax < c.FFB) || c.FFB < set.FFBMin)
        return;
    if ((ffhMax > 0 && ffhMax < c.FFH) || c.FFH < set.FFHMin)
        return;
    if (!LengthWindow(row, sash, set.L1, TNumberCheck::L1))
        return;
    if (!LengthWindow(row, sash, set.L2, TNumberCheck::L2))
        return;
    if (!RadiusWindow(row, sash, set.R1, TNumberCheck::R1))
        return;
    if (!RadiusWindow(row, sash, set.R2, TNumberCheck::R2))
        return;
    const double aMin = set.Angle.Min, aMax = set.Angle.Max;
    if (aMin != 0 || aMax != 0) {
        const int i = row.Index(set.Angle.No, sash.SideCount(), TNumberCheck::Angle);
        if (!InWindow(sash.CornerAngle(i), aMin, aMax))
            return;
    }
    if (!StulpTypeAdmits(set.StulpType, c.MullionType))
        return;
    if (!AdjacentWindow(row, c, set.L21))
        return;
    if (!AdjacentWindow(row, c, set.L22))
        return;

    // Dimensions of the calculation principle.
    const int principle = set.Condition;
    double l1 = 0, r1 = 0, l2 = 0, r2 = 0, angle = 0;
    if (principle == 4 || principle == 6 || principle == 8 || principle == 10) {
        const int i = row.Index(set.Side1No, sash.SideCount(), TNumberCheck::Side1);
        l1 = sash.SideLength(i);
        r1 = RoundHalfAway(sash.Radius1(i) / 10.0);
    }
    if (principle == 5 || principle == 6 || principle == 9 || principle == 10) {
        const int i = row.Index(set.Side2No, sash.SideCount(), TNumberCheck::Side2);
        l2 = sash.SideLength(i);
        r2 = RoundHalfAway(sash.Radius1(i) / 10.0);
    }
    if (principle == 7) {
        const int i = row.Index(set.AngleNo, sash.SideCount(), TNumberCheck::Corner);
        angle = sash.CornerAngle(i);
    }

    const QString color = ColorByRule(set.ColorCondition, c);

    // Count.
    TScaleRule scale{set.Number, set.ScaleStart, set.ScaleStep, set.ScaleNum, set.ScaleScheme};
    int count = scale.Number;
    TScaleResult scaled = TScaleResult::Ok;
    switch (set.ScaleCondition) {
    case 1:
        scaled = ScaleCount(scale, c.FFB, false, count);
        break;
    case 2:
        scaled = ScaleCount(scale, c.FFH, false, count);
        break;
    case 3:
        scaled = ScaleCount(scale, sash.SideLength(row.Index(set.Side1No, sash.SideCount(), TNumberCheck::Side1)),
                            true, count);
        break;
    case 4:
        scaled = ScaleCount(scale, sash.SideLength(row.Index(set.Side2No, sash.SideCount(), TNumberCheck::Side2)),
                            true, count);
        break;
    default:
        break;
    }
    if (scaled == TScaleResult::ZeroStep)
        row.Fail(RowIntro + QStringLiteral("имеющий масштабирование и шаг равный нулю!"));

    // Length.
    double length = 0;
    const QString& formula = set.LenFormula;
    if (set.UseLen == 1 && !formula.isEmpty()) {
        length = sash.Evaluate(formula);
        const int minLen = set.MinLen;
        if (minLen > length)
            throw TError((RowIntro + QStringLiteral("имеющий недопустимое расчетное значение длины %3 (Мин. допустимая "
                                                    "длина = %4)!\r\n(Одна из возможных причин - установлена "
                                                    "недопустимая высота ручки при расчете тяги)"))
                             .arg(row.ComplectName, row.ElementName, FormatFixed(length, 1).replace(QLatin1Char('.'), QLatin1Char(',')),
                                  QString::number(minLen)));
    }

    const int itemSide = set.ItemSideNo;
    if (!IsVirtualElement(element)) {
        TArticleRequest request;
        TArticleQuery& q = request.Query;
        q.ElementId = element;
        q.KeeperSystem = sash.KeeperSystem();
        q.Direction = c.Direction;
        q.MullionType = c.MullionType;
        q.ProfWidth = c.ProfWidth;
        q.Color = color;
        q.Weight = 0;
        q.Params = c.Params;
        q.Angle = angle;
        q.Radius2 = r2;
        q.Radius1 = r1;
        q.Length2 = l2;
        q.Length1 = l1;
        q.FFH = c.FFH;
        q.FFB = c.FFB;
        q.Principle = principle;
        request.OwnerName = row.ComplectName;
        request.Required = set.Required == 1;
        request.AlertText = set.AlertIfNoArt;
        request.DefineHandleHeight = set.DefineHandleHeight == 1;
        TArticleMatch match;
        const QString& note = set.Note;
        const int handleSideNo = set.HandleSideNo;
        if (MatchArticle(request, match)) {
            if (!c.UserHandleHeight && match.HandleHeight != 0) {
                int index = handleSideNo - 1;
                if (index < 0 || index >= sash.SideCount())
                    index = sash.FirstHandleSide();
                if (index >= 0 && index < sash.SideCount())
                    sash.SetHandle(index, match.HandleHeight, HandleDirection(complectId, index + 1));
            }
            // Outside debug mode the history of a line is dropped anyway.
            const bool debug = EngineDebugMode();
            sash.AddItem(match.Article, complectId,
                         debug ? QStringLiteral("Комплект:%1 -> Элемент:%2 -> Артикул:%3").arg(complectId, element, match.Article)
                               : QString(),
                         debug, length, note, count, itemSide);
        }
    }
    ExpandComposite(c, element, complectId, count, slot, itemSide);
}

} // namespace

void ExpandComplect(const QString& complectId, int slot, const TExpansionContext& context)
{
    TDM& dm = EngineCatalog();
    TTable& comps = dm.T_FrnComp;
    if (!comps.Locate(QStringLiteral("ID"), complectId))
        throw TError(QStringLiteral("Комплект фурнитуры [%1] не найден в документации!").arg(complectId));
    const QString complectName = Field(comps, "Name").AsString();
    if (context.Params.OpenType == 2 && Field(comps, "TFlugelAvailable").AsInteger() == 0)
        throw TError(QStringLiteral("Не допускается установка комплекта [%1] на T-образную створку!").arg(complectId));

    const TComplectRows rows = ComplectRows(complectId);
    for (const TComplectRow& set : *rows) {
        TRow row{set, complectName, QString()};
        ExpandRow(row, complectId, slot, context);
    }
}

void ExpandComposite(const TExpansionContext& c, const QString& parentElement, const QString& complectId, int count,
                     int slot, int sideNo)
{
    TDM& dm = EngineCatalog();
    TTable& parts = dm.T_FrnItoI;
    if (!HasRow(parts, QStringLiteral("ID"), parentElement))
        return;
    const TElementFacts parent = ElementFacts(parentElement);
    if (!parent.Found)
        throw TError(QStringLiteral("Элемент фурнитуры [%1] не найден в документации!").arg(parentElement));
    const QString& parentName = parent.Name;
    TEngineSash& sash = *c.Sash;

    TFilterGuard guard(parts, KeyFilter(QStringLiteral("ID"), parentElement, true));
    auto field = [&](const char* name) -> TField& { return Field(parts, name); };
    const bool debug = EngineDebugMode();
    for (parts.First(); !parts.Eof(); parts.Next()) {
        const QString part = field("Item").AsString();
        if (part.isEmpty())
            throw TError(QStringLiteral("В составе составного элемента [%1] содержится пустой элемент!").arg(parentName));
        const int rowSide = field("ItemSideNo").AsInteger();
        const int side = rowSide != 0 ? rowSide : sideNo;
        if (!PropKeyAllowed(field("PropKey").AsInteger(), sash.Properties(), slot))
            continue;
        if (!StulpTypeAdmits(field("StulpType").AsInteger(), c.MullionType))
            continue;

        TArticleRequest request;
        TArticleQuery& q = request.Query;
        q.ElementId = part;
        q.KeeperSystem = sash.KeeperSystem();
        q.Direction = c.Direction;
        q.MullionType = c.MullionType;
        q.ProfWidth = c.ProfWidth;
        q.Color = ColorByRule(field("ColorCondition").AsInteger(), c);
        q.Weight = 0;
        q.Params = c.Params;
        q.Principle = 0;
        request.OwnerName = parentName;
        request.Required = field("Required").AsInteger() == 1;
        request.AlertText = field("AlertIfNoArt").AsString();
        const QString note = field("Note").AsString();
        const int number = field("Number").AsInteger();
        TArticleMatch match;
        if (MatchArticle(request, match)) {
            const long long pieces = static_cast<long long>(count) * number;
            if (pieces < INT_MIN || pieces > INT_MAX)
                throw TError(QStringLiteral("Integer overflow"));
            sash.AddItem(match.Article, complectId,
                         debug ? QStringLiteral("Комплект:%1 -> Элемент:%2 -> Элемент:%3 -> Артикул:%4")
                                     .arg(complectId, parentElement, part, match.Article)
                               : QString(),
                         debug, 0, note, static_cast<int>(pieces), side);
        }
    }
}
