#pragma once

// Registers the images packed into the widgets library (":/images/…").
void initTramolaResources();
