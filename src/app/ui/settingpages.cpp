#include "app/ui/settingpages.h"

#include "common/error.h"
#include "common/sjis.h"
#include "records/recordfile.h"
#include "records/ui/recorditemspage.h"
#include "settings/ui/tsetting.h"

#include <cmath>

namespace zk {

namespace {

std::optional<double> latestWeight() {
    try {
        const RecordLines lines = LoadRecordLines(sjis::encode(u"体重"));
        for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
            bool ok = false;
            const double kg = SplitRecordLine(*line).value.trimmed().toDouble(&ok);
            if (ok && std::isfinite(kg))
                return kg;
        }
    } catch (const Error &) {
        // No diary of the weight to offer.
    }
    return std::nullopt;
}

} // namespace

void offerLatestWeight(TSetting &dialog) {
    dialog.setLatestWeight(latestWeight);
}

RecordItemsPage *addRecordItemsPage(TSetting &dialog) {
    auto *page = new RecordItemsPage;
    dialog.addPage(
        {QStringLiteral("ｸﾞﾗﾌ"), page, [page] { page->load(); }, [page] { page->save(); }});
    return page;
}

} // namespace zk
