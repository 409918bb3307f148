#include "catalog/MeasPars.h"
#include "model/Pars32.h"

void TMK::CreateMeasParams() { MeasParams.clear(); }

TMeasParBase* TMK::FindMeasParam(int id) const {
    for (const auto& p : MeasParams)
        if (p->Id == id)
            return p.get();
    return nullptr;
}
