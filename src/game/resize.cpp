// The layout pass. The geometry itself is pure (layout/layout.h); this is where the
// window applies it and refreshes the two pictures that depend on the new sizes.
#include "game/fom.h"
#include "layout/layout.h"

namespace hibi {

void Fom::Form_Resize() {
  const Layout layout = ComputeLayout(ports_.shell.WindowMetricsTwips(), state.dayLimit);
  ports_.shell.ApplyLayout(layout);
  if (!layout.laidOut) return;
  if (controls.PicStt.visible) ShowBackground(QStringLiteral("ttl"));
  ShowEventPicture(QString());
  if (controls.PicKao.visible) ShowFace(QString());
}

}  // namespace hibi
