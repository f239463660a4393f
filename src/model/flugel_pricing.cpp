#include "model/flugel.h"
#include "model/pricing.h"

void TokfFlugel::BuildMatList()
{
    MatList.Clear();
    if (!Complect)
        return;
    for (int i = 0; i < Complect->ItemCount(); ++i) {
        const TokfFurnItem& item = Complect->Item(i);
        TokfMatListItem line;
        line.ID = item.ID;
        line.Quantity = item.Length > 0 ? static_cast<float>(static_cast<double>(item.Length) * item.Count / 1000.0)
                                        : static_cast<float>(item.Count);
        line.Price = ArticlePrice(item.ID, false);
        line.ListPrice = line.Price;
        line.Cost = line.Price * static_cast<long double>(line.Quantity);
        MatList.Add(line);
    }
}

TMoney TokfFlugel::MatListCost() const { return ::MatListCost(MatList); }
