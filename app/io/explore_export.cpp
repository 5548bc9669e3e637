#include "app/io/explore_export.h"

#include "app/io/picture_target.h"

namespace app {

ExploreReport SaveExploreView(const ImageFile& file,
    const std::function<std::vector<DrawnFigure>()>& figures, int size, PictureStyle style)
{
    const std::unique_ptr<PictureTarget> target = MakePictureTarget(file, size, style);
    ExploreJob job(figures(), PictureSize(file, size), target->canvas(), ExploreDetail::Fine);
    RunToEnd(job);
    target->Write();
    return job.report();
}

} // namespace app
