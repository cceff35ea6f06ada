# Tests of the selling features, PayPal and postage panels.
target_sources(gavelry_ui_tests PRIVATE
    test_keyboard.cpp
    test_paypal.cpp
    test_postage.cpp
    test_selling_features.cpp)
