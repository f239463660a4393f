#pragma once

#include <memory>

#include "engine/engine_sash.h"

class TokfFlugel;
class TokfFurnComp;

// The model's sash seen by the engine.
class TFlugelSash final : public TEngineSash
{
public:
    explicit TFlugelSash(TokfFlugel& flugel) : Flugel(flugel) {}

    int SideCount() const override;
    double SideLength(int index) const override;
    double Radius1(int index) const override;
    bool IsFullArc(int index) const override;
    bool IsPartialArc(int index) const override;
    bool IsElliptic(int index) const override;
    double CornerAngle(int index) const override;
    void FalzSize(int& width, int& height) const override;
    int FirstHandleSide() const override;
    void SetHandle(int index, int height, int direction) override;
    double Evaluate(const QString& formula) override;
    int DornType() const override;
    bool HasComplect() const override;
    QStringList Properties() const override;
    QString KeeperSystem() const override;
    int FindArticle(const QString& article) const override;
    void AddItem(const QString& article, const QString& parentComplect, const QString& history, bool noMerge,
                 double length, const QString& comment, int count, int sideNo) override;
    TEngineSash* Adjacent() override;

private:
    TokfFlugel& Flugel;
    std::unique_ptr<TFlugelSash> Other;
};

// The model's complect with its sash, construction and order seen by the engine.
class TFurnCompView final : public TEngineComplect
{
public:
    explicit TFurnCompView(TokfFurnComp& complect);

    TEngineSash& Sash() override { return *SashView; }
    QString SlotComplect(int slot) const override;
    QStringList ExtraComplects() const override;
    QString FurnSys() const override;
    QString Color() const override;
    bool UserHeightSet() const override;
    int FalzType() const override;
    int StulpType() const override;
    int OpenType() const override;
    float ProfWidth() const override;
    float ProfThickness() const override;
    int Arrangement() const override;
    QString OuterColor() const override;
    QString InnerColor() const override;
    int ItemCount() const override;
    TEngineItem Item(int index) const override;
    void DropEmptyAndSort() override;

private:
    TokfFurnComp& Complect;
    std::unique_ptr<TFlugelSash> SashView;
};
