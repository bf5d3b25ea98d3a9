#include "app/GraphicApplicationPro.h"

TCustomGraphicApplicationPro::TCustomGraphicApplicationPro(TComponent* owner)
    : TCustomApplicationPro(owner)
{
}

TCustomGraphicApplicationPro::~TCustomGraphicApplicationPro()
{
    FTimer.reset();
}

TTimerPro& TCustomGraphicApplicationPro::Timer()
{
    if (!FTimer)
        FTimer = std::make_unique<TTimerPro>(TickSource);
    return *FTimer;
}

void TCustomGraphicApplicationPro::AppIdle(TObject* sender, bool& done)
{
    TCustomApplicationPro::AppIdle(sender, done);
    TTimerPro& timer = Timer();
    if (!timer.Running()) {
        timer.Start();
        FFrameRate.Begin(timer.Elapsed().GetSeconds());
    }
    if (FFrameRate.Frame(timer.Elapsed().GetSeconds()))
        Fire(OnFPSChanged, this);
}
