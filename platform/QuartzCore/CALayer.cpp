#include "QuartzCore/CALayer.h"

#include <algorithm>
#include <cmath>

#include "Foundation/Clock.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSRunLoop.h"
#include "Foundation/NSString.h"
#include "Foundation/NSTimer.h"
#include "QuartzCore/CABasicAnimation.h"
#include "objc/ClassBuilder.h"

Class CALayer::class_() {
    static Class cls = objc::ClassBuilder<CALayer>("CALayer", NSObject::class_())
                           .method<&CALayer::position>("position")
                           .method<&CALayer::setPosition>("setPosition:")
                           .method<&CALayer::anchorPoint>("anchorPoint")
                           .method<&CALayer::setAnchorPoint>("setAnchorPoint:")
                           .method<&CALayer::bounds>("bounds")
                           .method<&CALayer::setBounds>("setBounds:")
                           .method<&CALayer::frame>("frame")
                           .method<&CALayer::setFrame>("setFrame:")
                           .method<&CALayer::opacity>("opacity")
                           .method<&CALayer::setOpacity>("setOpacity:")
                           .method<&CALayer::isHidden>("isHidden")
                           .method<&CALayer::setHidden>("setHidden:")
                           .method<&CALayer::cornerRadius>("cornerRadius")
                           .method<&CALayer::setCornerRadius>("setCornerRadius:")
                           .method<&CALayer::masksToBounds>("masksToBounds")
                           .method<&CALayer::setMasksToBounds>("setMasksToBounds:")
                           .method<&CALayer::addAnimation>("addAnimation:forKey:")
                           .method<&CALayer::animationForKey>("animationForKey:")
                           .method<&CALayer::removeAnimationForKey>("removeAnimationForKey:")
                           .method<&CALayer::removeAllAnimations>("removeAllAnimations")
                           .method<&CALayer::animationKeys>("animationKeys")
                           .method<&CALayer::presentationLayer>("presentationLayer")
                           .classMethod<&CALayer::layer>("layer")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CALayer::class_();

namespace {

// The present transaction: a new one begins after every pass of the main
// run loop.
unsigned long long& transaction() {
    static unsigned long long current = [] {
        NSRunLoop::mainRunLoop()->addPassObserver([] { ++transaction(); });
        return 1ull;
    }();
    return current;
}

CALayer::ChangeListener& changeListener() {
    static CALayer::ChangeListener listener;
    return listener;
}

void tell(NSObject* delegate, const char* selector, CAAnimation* animation) {
    if (objc::responds(delegate, selector))
        objc::send<void, id>(delegate, selector, animation);
}

void tellStopped(CAAnimation* animation, bool finished) {
    NSObject* delegate = animation->delegate();
    if (objc::responds(delegate, "animationDidStop:finished:"))
        objc::send<void, id, BOOL>(delegate, "animationDidStop:finished:", animation, finished ? YES : NO);
}

}  // namespace

Ref<CALayer> CALayer::layer() { return make<CALayer>(); }

CGAffineTransform CALayer::transformToSuperlayer() const {
    const Values& v = model_;
    CGAffineTransform t = CGAffineTransformMakeTranslation(-v.bounds.origin.x - v.anchorPoint.x * v.bounds.size.width,
                                                           -v.bounds.origin.y - v.anchorPoint.y * v.bounds.size.height);
    t = CGAffineTransformConcat(t, v.transform);
    return CGAffineTransformConcat(t, CGAffineTransformMakeTranslation(v.position.x, v.position.y));
}

CGRect CALayer::frame() const { return CGRectApplyAffineTransform(model_.bounds, transformToSuperlayer()); }

void CALayer::setFrame(CGRect frame) {
    willChange("position");
    willChange("bounds");
    frame = CGRectStandardize(frame);
    Values& v = model_;
    const CGAffineTransform& t = v.transform;
    if (t.b == 0 && t.c == 0 && t.a != 0 && t.d != 0) {
        v.bounds.size = CGSizeMake(frame.size.width / std::fabs(t.a), frame.size.height / std::fabs(t.d));
    }
    // Put the centre of the bounds, carried through the transform, on the
    // centre of the frame.
    CGPoint centreFromAnchor = CGPointApplyAffineTransform(
        CGPointMake((0.5f - v.anchorPoint.x) * v.bounds.size.width, (0.5f - v.anchorPoint.y) * v.bounds.size.height), t);
    v.position = CGPointMake(CGRectGetMidX(frame) - centreFromAnchor.x, CGRectGetMidY(frame) - centreFromAnchor.y);
}

Ref<CALayer> CALayer::presentationLayer() const {
    auto shown = make<CALayer>();
    shown->model_ = presented(Clock::now());
    return shown;
}

CALayer::~CALayer() {
    // The layer goes with its animations; nobody is told.
    for (auto& running : animations_) {
        if (running->startTimer) running->startTimer->invalidate();
        if (running->stopTimer) running->stopTimer->invalidate();
    }
}

void CALayer::setChangeListener(ChangeListener listener) { changeListener() = std::move(listener); }

void CALayer::willChange(const char* keyPath) {
    if (beforeTransaction_ != transaction()) {
        before_ = presented(Clock::now());
        beforeTransaction_ = transaction();
    }
    if (changeListener()) changeListener()(this, keyPath);
}

CALayer::Values CALayer::presented(double time) const {
    Values shown = model_;
    for (const auto& running : animations_) {
        if (running->stopped) continue;
        running->animation->forEachActive(time - running->begin, [&](const CABasicAnimation& a, double local) {
            if (!a.keyPath()) return;
            const std::string& path = a.keyPath()->str();
            std::vector<double> from, to;
            if (!read(model_, path, to)) return;
            if (a.fromValue()) {
                from = CABasicAnimation::components(a.fromValue());
            } else {
                auto it = std::find_if(running->previous.begin(), running->previous.end(),
                                       [&](const auto& p) { return p.first == &a; });
                if (it == running->previous.end()) return;
                from = it->second;
            }
            if (a.toValue()) to = CABasicAnimation::components(a.toValue());
            std::vector<double> value = a.valueAt(local, from, to);
            // A value that is not a number would poison every drawing made
            // with it; such an animation shows the model value instead.
            if (value.empty() || value.size() != to.size() ||
                !std::all_of(value.begin(), value.end(), [](double v) { return std::isfinite(v); }))
                return;
            write(shown, path, value);
        });
    }
    return shown;
}

void CALayer::addAnimation(CAAnimation* animation, NSString* key) {
    if (!animation) return;
    Ref<CALayer> keep(this);
    const double now = Clock::now();
    auto running = std::make_unique<Running>();
    running->animation = animation;
    running->hasKey = key != nullptr;
    if (key) running->key = key->str();
    running->begin = animation->beginTime() > 0 ? animation->beginTime() : now;
    // What was presented before this transaction's changes, including what
    // an animation about to be replaced was showing.
    const Values& previous = beforeTransaction_ == transaction() ? before_ : presented(now);
    animation->forEachProperty([&](const CABasicAnimation& a) {
        std::vector<double> value;
        if (!a.fromValue() && a.keyPath() && read(previous, a.keyPath()->str(), value))
            running->previous.emplace_back(&a, std::move(value));
    });
    if (key) removeAnimationForKey(key);

    Running* r = running.get();
    if (running->begin > now) {
        running->startTimer = NSTimer::scheduledTimerWithTimeInterval(running->begin - now, false,
                                                                      [this, animation](NSTimer*) { started(animation); });
    } else {
        // Started now: reported on the loop's next pass.
        Ref<CALayer> self(this);
        Ref<CAAnimation> added(animation);
        NSRunLoop::mainRunLoop()->postEvent([self, added] { self->started(added); });
    }
    running->stopTimer = NSTimer::scheduledTimerWithTimeInterval(
        running->begin + animation->activeDuration() - now, false, [this, r](NSTimer*) { ended(r); });
    animations_.push_back(std::move(running));
}

void CALayer::started(CAAnimation* animation) {
    auto it = std::find_if(animations_.begin(), animations_.end(),
                           [animation](const auto& r) { return r->animation == animation; });
    if (it == animations_.end() || (*it)->startReported) return;
    (*it)->startReported = true;
    (*it)->startTimer = nullptr;
    Ref<CALayer> keep(this);
    Ref<CAAnimation> reported(animation);
    tell(reported->delegate(), "animationDidStart:", reported);
}

void CALayer::ended(Running* running) {
    Ref<CALayer> keep(this);
    Ref<CAAnimation> animation = running->animation;
    if (!running->startReported) started(animation);
    running->stopTimer = nullptr;
    running->stopped = true;
    if (animation->isRemovedOnCompletion()) {
        auto it = std::find_if(animations_.begin(), animations_.end(),
                               [running](const auto& r) { return r.get() == running; });
        if (it != animations_.end()) animations_.erase(it);
    }
    tellStopped(animation, true);
}

void CALayer::remove(std::vector<std::unique_ptr<Running>>::iterator it) {
    std::unique_ptr<Running> running = std::move(*it);
    animations_.erase(it);
    if (running->startTimer) running->startTimer->invalidate();
    if (running->stopTimer) running->stopTimer->invalidate();
    if (running->stopped) return;
    // As on the platform, the stop of a removed animation is reported
    // later, not from inside the call that removed it.
    Ref<CAAnimation> animation = running->animation;
    NSRunLoop::mainRunLoop()->postEvent([animation] { tellStopped(animation, false); });
}

CAAnimation* CALayer::animationForKey(NSString* key) const {
    if (!key) return nullptr;
    for (const auto& running : animations_) {
        if (running->hasKey && running->key == key->str()) return running->animation;
    }
    return nullptr;
}

void CALayer::removeAnimationForKey(NSString* key) {
    if (!key) return;
    Ref<CALayer> keep(this);
    auto it = std::find_if(animations_.begin(), animations_.end(),
                           [&](const auto& r) { return r->hasKey && r->key == key->str(); });
    if (it != animations_.end()) remove(it);
}

void CALayer::removeAllAnimations() {
    Ref<CALayer> keep(this);
    while (!animations_.empty()) remove(animations_.begin());
}

Ref<NSArray> CALayer::animationKeys() const {
    std::vector<Ref<NSObject>> keys;
    for (const auto& running : animations_) {
        if (running->hasKey) keys.emplace_back(NSString::from(running->key));
    }
    return keys.empty() ? nullptr : make<NSArray>(std::move(keys));
}

namespace {

// The animatable properties: where each key path's numbers live.
template <class V>
auto fieldsOf(V& v, const std::string& keyPath) -> std::vector<decltype(&v.opacity)> {
    using P = decltype(&v.opacity);
    if (keyPath == "position") return {&v.position.x, &v.position.y};
    if (keyPath == "position.x") return {&v.position.x};
    if (keyPath == "position.y") return {&v.position.y};
    if (keyPath == "anchorPoint") return {&v.anchorPoint.x, &v.anchorPoint.y};
    if (keyPath == "bounds")
        return {&v.bounds.origin.x, &v.bounds.origin.y, &v.bounds.size.width, &v.bounds.size.height};
    if (keyPath == "bounds.origin") return {&v.bounds.origin.x, &v.bounds.origin.y};
    if (keyPath == "bounds.size") return {&v.bounds.size.width, &v.bounds.size.height};
    if (keyPath == "bounds.size.width") return {&v.bounds.size.width};
    if (keyPath == "bounds.size.height") return {&v.bounds.size.height};
    if (keyPath == "transform")
        return {&v.transform.a, &v.transform.b, &v.transform.c, &v.transform.d, &v.transform.tx, &v.transform.ty};
    if (keyPath == "opacity") return {&v.opacity};
    if (keyPath == "cornerRadius") return {&v.cornerRadius};
    return std::vector<P>();
}

}  // namespace

bool CALayer::read(const Values& values, const std::string& keyPath, std::vector<double>& out) {
    auto fields = fieldsOf(values, keyPath);
    out.clear();
    for (const auto* f : fields) out.push_back(*f);
    return !fields.empty();
}

void CALayer::write(Values& values, const std::string& keyPath, const std::vector<double>& in) {
    auto fields = fieldsOf(values, keyPath);
    if (fields.size() != in.size()) return;
    for (std::size_t i = 0; i < in.size(); ++i) *fields[i] = static_cast<CGFloat>(in[i]);
}
