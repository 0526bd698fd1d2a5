#include "core/exchange/TransferStamp.h"

#include "core/data/SystemSettings.h"

namespace qv::exchange {

std::string transferStampText(std::string_view word, Date date, TimeOfDay time) {
    return std::string(word) + " " + date.format("d6") + " " + time.format("t01");
}

data::Status stampTransfer(data::Store& store, session::Globals& g, std::string_view word) {
    data::System sys;
    if (data::Status s = data::readSystem(store, sys); !s) return s;
    sys.TransferDetails = transferStampText(word, Date::today(), TimeOfDay::now());
    if (data::Status s = data::writeSystem(store, sys); !s) return s;
    g.TransferStatus = sys.TransferDetails.substr(0, 50);
    return data::Status::ok();
}

}  // namespace qv::exchange
