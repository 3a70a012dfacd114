#pragma once

#include <cstdint>

namespace korvent::app {

// A control colour: either the window system's own colour for the control (Default), the
// system button-face colour, or a fixed RGB value.
struct Color {
    enum class Kind { Default, ButtonFace, Rgb };

    Kind kind = Kind::Default;
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    static constexpr Color Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return Color{Kind::Rgb, red, green, blue};
    }
    static constexpr Color ButtonFace() { return Color{Kind::ButtonFace, 0, 0, 0}; }

    friend bool operator==(const Color&, const Color&) = default;
};

inline constexpr Color clDefault{};
inline constexpr Color clBtnFace = Color::ButtonFace();
inline constexpr Color clWhite = Color::Rgb(255, 255, 255);
inline constexpr Color clBlack = Color::Rgb(0, 0, 0);
inline constexpr Color clBlue = Color::Rgb(0, 0, 255);
inline constexpr Color clRed = Color::Rgb(255, 0, 0);
inline constexpr Color clGrayText = Color::Rgb(128, 128, 128);
// The background of the status labels while a run goes.
inline constexpr Color clSkyBlue = Color::Rgb(166, 202, 240);

}  // namespace korvent::app
