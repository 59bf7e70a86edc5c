#pragma once
// What the campaign map asks of the campaign screen.
class CampaignMapHost {
public:
    virtual ~CampaignMapHost() = default;
    // A double click on a reached level.
    virtual void StartSelectedLevel() = 0;
    // A second after the advance that completed the last level.
    virtual void OnCampaignComplete() = 0;
};
