#ifndef KRELVOX_PROGRAMRIG_H
#define KRELVOX_PROGRAMRIG_H

// The whole program's controller in a test world (link krelvox_app): what it is given
// instead of dialogs, the configuration store and the network.
//
//   TestWorld world(TestWorld::Folders);   // the program opens its own repository
//   ProgramRig rig;
//   MainController controller(rig.options());
//   QCOMPARE(rig.service->calls, QStringList({"getCategories"}));

#include "app/MainController.h"
#include "service/YoutubeVideoService.h"
#include "tests/support/TestSupport.h"

struct ProgramRig
{
    ScriptedPrompt prompt;
    MemoryInputMethod inputMethod;
    RecordingVideoService* service = nullptr;   // the recording service the controller made
    bool serviceInitializes = true;

    // A windowed controller with the recording service, or with the video service
    // pointed at serviceBaseUrl (a fake service) when it is given.
    MainControllerOptions options(const QString& serviceBaseUrl = QString(), bool createDatabase = false)
    {
        MainControllerOptions o;
        o.fullScreen = false;
        o.createDatabase = createDatabase;
        o.prompt = &prompt;
        o.inputMethod = &inputMethod;
        if (!serviceBaseUrl.isEmpty()) {
            o.createService = [serviceBaseUrl](Repository& repository, QObject* parent) -> VideoServiceProvider* {
                return new YoutubeVideoService(repository, ServiceEndpoints(serviceBaseUrl), parent);
            };
        } else {
            o.createService = [this](Repository&, QObject* parent) -> VideoServiceProvider* {
                service = new RecordingVideoService(nullptr, parent);
                service->initialized = serviceInitializes;
                return service;
            };
        }
        return o;
    }
};

#endif
