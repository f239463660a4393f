#include "engine/model_adapter.h"

#include "foundation/error.h"
#include "model/construction.h"
#include "model/flugel.h"
#include "model/furn_comp.h"
#include "model/order.h"

int TFlugelSash::SideCount() const { return Flugel.SideCount(); }
double TFlugelSash::SideLength(int index) const { return Flugel.SideLength(index); }
double TFlugelSash::Radius1(int index) const { return Flugel.Side(index).Radius1; }
bool TFlugelSash::IsFullArc(int index) const { return Flugel.Side(index).IsFullArc(); }
bool TFlugelSash::IsPartialArc(int index) const { return Flugel.Side(index).IsPartialArc(); }
bool TFlugelSash::IsElliptic(int index) const { return Flugel.Side(index).IsElliptic(); }
double TFlugelSash::CornerAngle(int index) const { return Flugel.CornerAngle(index); }

void TFlugelSash::FalzSize(int& width, int& height) const
{
    const TFalzSize size = Flugel.FalzSize();
    width = size.Width;
    height = size.Height;
}

int TFlugelSash::FirstHandleSide() const { return Flugel.FirstHandleSide(); }
void TFlugelSash::SetHandle(int index, int height, int direction) { Flugel.Side(index).SetHandle(height, direction); }
double TFlugelSash::Evaluate(const QString& formula) { return Flugel.Evaluate(formula); }
int TFlugelSash::DornType() const { return Flugel.DornType; }
bool TFlugelSash::HasComplect() const { return Flugel.Complect != nullptr; }
QStringList TFlugelSash::Properties() const { return Flugel.Complect ? Flugel.Complect->Properties : QStringList(); }
QString TFlugelSash::KeeperSystem() const { return Flugel.Complect ? Flugel.Complect->ProfSys : QString(); }
int TFlugelSash::FindArticle(const QString& article) const
{
    return Flugel.Complect ? Flugel.Complect->FindArticle(article) : -1;
}

void TFlugelSash::AddItem(const QString& article, const QString& parentComplect, const QString& history, bool noMerge,
                          double length, const QString& comment, int count, int sideNo)
{
    if (Flugel.Complect)
        Flugel.Complect->AddItem(article, parentComplect, history, noMerge, length, comment, count, sideNo);
}

TEngineSash* TFlugelSash::Adjacent()
{
    TokfFlugel* other = Flugel.Construction ? Flugel.OtherFlugel() : nullptr;
    if (!other)
        return nullptr;
    if (!Other)
        Other = std::make_unique<TFlugelSash>(*other);
    return Other.get();
}

TFurnCompView::TFurnCompView(TokfFurnComp& complect) : Complect(complect)
{
    if (!complect.Flugel)
        throw TError(QStringLiteral("Комплект фурнитуры не связан со створкой!"));
    SashView = std::make_unique<TFlugelSash>(*complect.Flugel);
}

namespace {

const TokfConstruction* ConstructionOf(const TokfFurnComp& c)
{
    return c.Flugel ? c.Flugel->Construction : nullptr;
}

} // namespace

QString TFurnCompView::SlotComplect(int slot) const { return Complect.SlotComplect(slot); }
QStringList TFurnCompView::ExtraComplects() const { return Complect.ExtraComplects; }
QString TFurnCompView::FurnSys() const { return Complect.FurnSys; }
QString TFurnCompView::Color() const { return Complect.Color; }
bool TFurnCompView::UserHeightSet() const { return Complect.UserHeightSet; }

int TFurnCompView::FalzType() const
{
    const TokfConstruction* c = ConstructionOf(Complect);
    return c ? c->FalzType : 0;
}

int TFurnCompView::StulpType() const
{
    const TokfConstruction* c = ConstructionOf(Complect);
    return c ? c->StulpType : 0;
}

int TFurnCompView::OpenType() const
{
    const TokfConstruction* c = ConstructionOf(Complect);
    return c ? c->OpenType : 0;
}

float TFurnCompView::ProfWidth() const
{
    const TokfConstruction* c = ConstructionOf(Complect);
    return c ? c->ProfWidth : 0;
}

float TFurnCompView::ProfThickness() const
{
    const TokfConstruction* c = ConstructionOf(Complect);
    return c ? c->ProfThickness : 0;
}

int TFurnCompView::Arrangement() const
{
    const TokfConstruction* c = ConstructionOf(Complect);
    return c ? static_cast<int>(c->Arrangement) : static_cast<int>(arSingle);
}

QString TFurnCompView::OuterColor() const
{
    const TokfConstruction* c = ConstructionOf(Complect);
    return c && c->Order ? c->Order->OuterProfColor : QString();
}

QString TFurnCompView::InnerColor() const
{
    const TokfConstruction* c = ConstructionOf(Complect);
    return c && c->Order ? c->Order->InnerProfColor : QString();
}

int TFurnCompView::ItemCount() const { return Complect.ItemCount(); }

TEngineItem TFurnCompView::Item(int index) const
{
    const TokfFurnItem& i = Complect.Item(index);
    return TEngineItem{i.ID, i.Length, i.Count, i.History, i.Comment, i.SideNo, i.ParentComplect};
}

void TFurnCompView::DropEmptyAndSort()
{
    Complect.RemoveEmptyItems();
    Complect.SortItemsById();
}
