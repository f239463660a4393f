#include "model/furn_comp.h"

#include <algorithm>

#include "foundation/cp1251.h"
#include "foundation/geometry.h"
#include "foundation/typed_stream.h"
#include "model/fittings_calculator.h"
#include "model/flugel.h"
#include "model/stored_reader.h"

namespace {
// The smallest stored item: an empty ID, two cells, and nothing of the later versions.
constexpr int MinItemBytes = 4 + 2 * 16;
constexpr int NoHingeImage = 20;
} // namespace

bool TComplectChoice::NoComplects() const
{
    return MainComplect.isEmpty() && HingeComplect.isEmpty() && HandleComplect.isEmpty() && LockComplect.isEmpty()
           && CylinderComplect.isEmpty() && CloserComplect.isEmpty() && LatchComplect.isEmpty();
}

TokfFurnComp::TokfFurnComp(TokfFlugel* flugel) : Flugel(flugel) {}

TokfFurnComp::~TokfFurnComp() = default;

QString TokfFurnComp::SlotComplect(int slot) const
{
    switch (slot) {
    case csMain: return MainComplect;
    case csHandle: return HandleComplect;
    case csHinge: return HingeComplect;
    case csLock: return LockComplect;
    case csCylinder: return CylinderComplect;
    case csCloser: return CloserComplect;
    case csLatch: return LatchComplect;
    default: return {};
    }
}

TokfFurnItem& TokfFurnComp::AppendItem()
{
    return Items.emplace_back(this);
}

void TokfFurnComp::DeleteItem(int index)
{
    if (index >= 0 && index < ItemCount())
        Items.erase(Items.begin() + index);
}

void TokfFurnComp::RemoveEmptyItems()
{
    std::erase_if(Items, [](const TokfFurnItem& item) { return item.Count == 0; });
}

void TokfFurnComp::SortItemsById()
{
    std::stable_sort(Items.begin(), Items.end(), [](const auto& a, const auto& b) {
        return CompareCp1251(a.ID, b.ID) < 0;
    });
}

void TokfFurnComp::Clear()
{
    FurnSys.clear();
    ProfSys.clear();
    Color.clear();
    MainComplect.clear();
    HingeComplect.clear();
    HandleComplect.clear();
    LockComplect.clear();
    CylinderComplect.clear();
    CloserComplect.clear();
    LatchComplect.clear();
    UserHandleHeight = 0;
    UserHeightSet = false;
    MainImage = HandleImage = HingeImage = CloserImage = SpareImage = -1;
    HandleColor = HingeColor = CloserColor = SpareColor = 0;
    Properties.clear();
    ExtraComplects.clear();
    ClearItems();
}

void TokfFurnComp::ClearItems() { Items.clear(); }

void TokfFurnComp::SetAll(const QString& furnSys, const QString& profSys, const QString& color,
                          const TComplectChoice& choice)
{
    FurnSys = furnSys;
    ProfSys = profSys;
    Color = color;
    TakeCodes(choice);
    Properties = choice.Properties;
    ExtraComplects = choice.ExtraComplects;
    Recalculate();
}

void TokfFurnComp::TakeCodes(const TComplectChoice& choice)
{
    MainComplect = choice.MainComplect;
    HingeComplect = choice.HingeComplect;
    HandleComplect = choice.HandleComplect;
    LockComplect = choice.LockComplect;
    CylinderComplect = choice.CylinderComplect;
    CloserComplect = choice.CloserComplect;
    LatchComplect = choice.LatchComplect;
    UserHandleHeight = choice.UserHandleHeight;
    UserHeightSet = choice.UserHeightSet;
}

void TokfFurnComp::SetCodes(const TComplectChoice& choice)
{
    TakeCodes(choice);
    CalcCounter1 = CalcCounter2 = 0;
    ApplySideRoles();
}

void TokfFurnComp::Recalculate()
{
    CalcCounter1 = CalcCounter2 = 0;
    ApplySideRoles();
    ClearItems();
    try {
        FittingsCalculator().CalculateComplect(*this);
    } catch (...) {
        ClearItems();
        throw;
    }
}

void TokfFurnComp::ApplySideRoles()
{
    bool anyCode = !ExtraComplects.join(QStringLiteral("\r\n")).isEmpty();
    for (int slot = 0; slot < ComplectSlotCount && !anyCode; ++slot)
        anyCode = !SlotComplect(slot).isEmpty();
    if (!anyCode) {
        Clear();
        return;
    }

    TFittingsCalculator& catalogue = FittingsCalculator();
    MainImage = catalogue.ComplectImage(MainComplect);
    HandleImage = catalogue.ComplectImage(HandleComplect);
    CloserImage = catalogue.ComplectImage(CloserComplect);
    HandleColor = catalogue.ComplectScreenColor(HandleComplect);
    CloserColor = catalogue.ComplectScreenColor(CloserComplect);
    if (!HingeComplect.isEmpty()) {
        HingeColor = catalogue.ComplectScreenColor(HingeComplect);
        HingeImage = catalogue.ComplectImage(HingeComplect);
    } else {
        HingeColor = catalogue.ComplectScreenColor(MainComplect);
        HingeImage = NoHingeImage;
    }

    if (!Flugel)
        return;
    if (MainComplect.isEmpty()) {
        for (int i = 0; i < Flugel->SideCount(); ++i)
            Flugel->Side(i).ClearRoles();
        return;
    }

    const QList<TSideRole> roles = catalogue.SideRoles(MainComplect);
    for (const TSideRole& role : roles) {
        const int i = role.Side - 1;
        if (i < 0 || i >= Flugel->PointCount() || i >= Flugel->SideCount())
            continue;
        TokfLine& side = Flugel->Side(i);
        side.OpenSide = role.OpenMode == 1;
        if (side.OpenSide)
            side.RotSide = role.RotSide - 1;
        side.HandleSide = role.Handled == 1 && (!HandleComplect.isEmpty() || IsWindowKind());
        if (side.HandleSide) {
            // The direction comes from the first row of this side, as a keyed look-up finds it.
            const auto first = std::find_if(roles.begin(), roles.end(),
                                            [&](const TSideRole& r) { return r.Side == role.Side; });
            const int height = UserHeightSet ? UserHandleHeight : RoundHalfAway(Flugel->SideLength(i) / 2);
            side.SetHandle(height, first->HandleDirect);
        } else
            side.SetHandle(0, 0);
        side.Banded = role.Banded == 1;
        side.Drived = role.Drived == 1;
    }
}

void TokfFurnComp::AddItem(const QString& id, const QString& parentComplect, const QString& history, bool noMerge,
                           double length, const QString& comment, int count, int sideNo)
{
    if (id.isEmpty() || count == 0 || FittingsCalculator().IsVirtualArticle(id))
        return;
    QString kept = history;
    if (!noMerge) {
        const int found = FindItem(id, parentComplect, length, sideNo, comment);
        if (found >= 0) {
            Item(found).AddCount(count);
            return;
        }
        kept.clear();
    }
    AppendItem().Set(id, parentComplect, kept, length, comment, count, sideNo);
}

int TokfFurnComp::FindItem(const QString& id, const QString& parentComplect, double length, int sideNo,
                           const QString& comment) const
{
    // Lengths are kept in single precision, so the one asked for is compared as stored.
    const float wanted = static_cast<float>(length);
    for (int i = 0; i < ItemCount(); ++i) {
        const TokfFurnItem& item = Items[static_cast<size_t>(i)];
        if (item.ID == id && item.ParentComplect == parentComplect && item.Length == wanted && item.SideNo == sideNo
            && item.Comment == comment)
            return i;
    }
    return -1;
}

int TokfFurnComp::FindArticle(const QString& id) const
{
    for (int i = 0; i < ItemCount(); ++i)
        if (Items[static_cast<size_t>(i)].ID == id)
            return i;
    return -1;
}

void TokfFurnComp::Write(TSpecStream& stream) const
{
    stream.WriteString(FurnSys);
    stream.WriteString(ProfSys);
    stream.WriteString(Color);
    stream.WriteString(MainComplect);
    stream.WriteString(HingeComplect);
    stream.WriteString(HandleComplect);
    stream.WriteInteger(UserHandleHeight);
    stream.WriteBoolean(UserHeightSet);
    stream.WriteString(LockComplect);
    stream.WriteString(CylinderComplect);
    stream.WriteString(CloserComplect);
    stream.WriteString(LatchComplect);
    for (int value : {MainImage, HandleImage, HingeImage, CloserImage, SpareImage, HandleColor, HingeColor,
                      CloserColor, SpareColor})
        stream.WriteInteger(value);
    stream.WriteStrings(Properties);
    stream.WriteStrings(ExtraComplects);
    stream.WriteInteger(ItemCount());
    for (const TokfFurnItem& item : Items)
        item.Write(stream);
}

void TokfFurnComp::Read(TSpecStream& stream, const QString& version)
{
    TStoredReader in(stream);
    FurnSys = in.String();
    ProfSys = in.String();
    Color = in.String();
    MainComplect = in.String();
    HingeComplect = in.String();
    HandleComplect = in.String();
    UserHandleHeight = in.Integer();
    UserHeightSet = in.Boolean();
    LockComplect = in.String();
    CylinderComplect = in.String();
    CloserComplect = in.String();
    LatchComplect = in.String();
    for (int* value : {&MainImage, &HandleImage, &HingeImage, &CloserImage, &SpareImage, &HandleColor, &HingeColor,
                       &CloserColor, &SpareColor})
        *value = in.Integer();
    Properties = in.Strings();
    ExtraComplects = in.Strings();
    ClearItems();
    const int count = in.Count(MinItemBytes);
    const TFurnItemLayout layout = TFurnItemLayout::Of(version);
    Items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        AppendItem().Read(stream, layout);
}
