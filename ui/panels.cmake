# The selling features, PayPal and postage panels with their option panels.
target_sources(gavelry_ui PRIVATE
    ctlPayPal.cpp
    ctlPaypalBusinessTypes.cpp
    ctlPostage.cpp
    ctlPostageParcelInsurance.cpp
    ctlSellingFeatures.cpp)
