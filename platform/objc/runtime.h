/* The runtime's C interface: all that the hook library may see of the platform.
 * It must compile for the phone's target as well, so it includes nothing but
 * the compiler's own headers and declares only plain C. */
#ifndef KORVEL_OBJC_RUNTIME_H
#define KORVEL_OBJC_RUNTIME_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct objc_class *Class;
typedef struct objc_object *id;
typedef struct objc_selector *SEL;
typedef struct objc_method *Method;
/* As in the modern headers: callers cast to the real signature. */
typedef void (*IMP)(void);
/* A true boolean on 64-bit ARM, as the phone's runtime has it there; a
 * signed char on the 32-bit phone and on this host. */
#if defined(__APPLE__) && defined(__arm64__)
#ifdef __cplusplus
typedef bool BOOL;
#else
typedef _Bool BOOL;
#endif
#else
typedef signed char BOOL;
#endif
/* Word-sized integers: 32-bit on the 32-bit phone, 64-bit on the 64-bit
 * phone and on this host. */
typedef long NSInteger;
typedef unsigned long NSUInteger;

#define YES ((BOOL)1)
#define NO ((BOOL)0)

Class objc_getClass(const char *name);
Class class_getSuperclass(Class cls);
const char *class_getName(Class cls);
Method class_getInstanceMethod(Class cls, SEL name);
Method class_getClassMethod(Class cls, SEL name);
IMP method_getImplementation(Method m);
const char *method_getTypeEncoding(Method m);
SEL method_getName(Method m);
IMP method_setImplementation(Method m, IMP imp);
BOOL class_addMethod(Class cls, SEL name, IMP imp, const char *types);
IMP class_getMethodImplementation(Class cls, SEL name);
BOOL class_respondsToSelector(Class cls, SEL name);
SEL sel_registerName(const char *name);
const char *sel_getName(SEL sel);
Class object_getClass(id obj);

/* Recursive per-object locks: what @synchronized(obj) compiles to. A nil
 * object locks nothing. Exiting a lock the thread does not hold fails. */
enum {
    OBJC_SYNC_SUCCESS = 0,
    OBJC_SYNC_NOT_OWNING_THREAD_ERROR = -1
};
int objc_sync_enter(id obj);
int objc_sync_exit(id obj);

#ifdef __cplusplus
}
#endif

#endif
