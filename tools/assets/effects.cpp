// The thirteen sound effects as recipes. Each row is one layer:
//   start, length (s), wave, from Hz, to Hz, volume, attack (s), decay (s)
//   [, vibrato Hz, vibrato semitones, noise resonance]
#include "synth.h"

// Notes used by the jingles.
static const float C5 = 523.25f, E5 = 659.26f, G5 = 783.99f, B5 = 987.77f, C6 = 1046.50f;
static const float D6 = 1174.66f, E6 = 1318.51f, G6 = 1567.98f, A6 = 1760.00f, B6 = 1975.53f;

// A step forward: a short bright blip that rises.
static const Layer stepForward[] = {
    {0.0f, 0.07f, Square, 880, 1320, 0.6f, 0.002f, 0.03f},
    {0.0f, 0.07f, Sine, 1760, 2640, 0.25f, 0.002f, 0.02f},
};

// A step back: a hollower blip that falls.
static const Layer stepBack[] = {
    {0.0f, 0.09f, Pulse, 700, 420, 0.55f, 0.002f, 0.04f},
    {0.0f, 0.09f, Triangle, 350, 210, 0.45f, 0.002f, 0.05f},
};

// Success: C, E, G rising to a held, trembling C.
static const Layer success[] = {
    {0.00f, 0.12f, Square, C5, C5, 0.35f, 0.003f, 0.08f},
    {0.08f, 0.12f, Square, E5, E5, 0.35f, 0.003f, 0.08f},
    {0.16f, 0.12f, Square, G5, G5, 0.35f, 0.003f, 0.08f},
    {0.24f, 0.36f, Square, C6, C6, 0.40f, 0.003f, 0.18f, 6.0f, 0.15f},
    {0.24f, 0.36f, Triangle, C5, C5, 0.35f, 0.003f, 0.18f},
};

// The hero's attack: a blade's swish and the hit that ends it.
static const Layer heroAttack[] = {
    {0.00f, 0.12f, Noise, 5000, 900, 0.9f, 0.010f, 0.06f, 0, 0, 1.5f},
    {0.07f, 0.05f, Noise, 0, 0, 0.6f, 0.001f, 0.015f},
    {0.07f, 0.12f, Sine, 220, 80, 0.8f, 0.002f, 0.04f},
};

// The enemy's blow: a heavy thud with a crunch.
static const Layer enemyBlow[] = {
    {0.00f, 0.30f, Sine, 140, 45, 1.0f, 0.002f, 0.09f},
    {0.00f, 0.20f, Noise, 1200, 300, 0.8f, 0.002f, 0.05f, 0, 0, 1.2f},
    {0.00f, 0.12f, Square, 90, 50, 0.25f, 0.002f, 0.04f},
};

// Victory: two quick pops and a small ring.
static const Layer victoryPop[] = {
    {0.00f, 0.06f, Sine, 300, 1100, 0.9f, 0.002f, 0.03f},
    {0.07f, 0.07f, Sine, 600, 1600, 0.7f, 0.002f, 0.035f},
    {0.07f, 0.15f, Triangle, 1600, 1600, 0.2f, 0.002f, 0.05f},
};

// A flight: six running footsteps, fading as they go.
static const Layer runningFeet[] = {
    {0.00f, 0.05f, Noise, 600, 500, 1.00f, 0.001f, 0.015f, 0, 0, 2.0f},
    {0.00f, 0.04f, Sine, 120, 70, 0.60f, 0.001f, 0.012f},
    {0.08f, 0.05f, Noise, 800, 650, 0.92f, 0.001f, 0.015f, 0, 0, 2.0f},
    {0.08f, 0.04f, Sine, 130, 75, 0.55f, 0.001f, 0.012f},
    {0.16f, 0.05f, Noise, 600, 500, 0.82f, 0.001f, 0.015f, 0, 0, 2.0f},
    {0.16f, 0.04f, Sine, 120, 70, 0.50f, 0.001f, 0.012f},
    {0.24f, 0.05f, Noise, 800, 650, 0.72f, 0.001f, 0.015f, 0, 0, 2.0f},
    {0.24f, 0.04f, Sine, 130, 75, 0.45f, 0.001f, 0.012f},
    {0.32f, 0.05f, Noise, 600, 500, 0.60f, 0.001f, 0.015f, 0, 0, 2.0f},
    {0.32f, 0.04f, Sine, 120, 70, 0.38f, 0.001f, 0.012f},
    {0.40f, 0.05f, Noise, 800, 650, 0.48f, 0.001f, 0.015f, 0, 0, 2.0f},
    {0.40f, 0.04f, Sine, 130, 75, 0.30f, 0.001f, 0.012f},
};

// Healing: bells climbing G, B, D, G, B over a high shimmer.
static const Layer healing[] = {
    {0.00f, 0.45f, Sine, G5, G5, 0.50f, 0.005f, 0.20f, 7.0f, 0.10f},
    {0.09f, 0.45f, Sine, B5, B5, 0.50f, 0.005f, 0.20f, 7.0f, 0.10f},
    {0.18f, 0.45f, Sine, D6, D6, 0.50f, 0.005f, 0.20f, 7.0f, 0.10f},
    {0.27f, 0.45f, Sine, G6, G6, 0.45f, 0.005f, 0.20f, 7.0f, 0.10f},
    {0.36f, 0.45f, Sine, B6, B6, 0.40f, 0.005f, 0.22f, 7.0f, 0.10f},
    {0.00f, 0.80f, Noise, 6000, 6500, 0.15f, 0.200f, 0.30f, 0, 0, 8.0f},
};

// Lowered: a wavering tone sliding down two octaves.
static const Layer lowered[] = {
    {0.00f, 0.50f, Triangle, 880, 196, 0.7f, 0.005f, 0.40f, 9.0f, 0.6f},
    {0.00f, 0.50f, Square, 440, 98, 0.2f, 0.005f, 0.40f, 9.0f, 0.6f},
};

// The damaging trump cards: a crack, a roaring blast and a long rumble.
static const Layer explosion[] = {
    {0.00f, 1.20f, Noise, 2500, 120, 1.0f, 0.005f, 0.35f, 0, 0, 0.7f},
    {0.00f, 0.15f, Noise, 0, 0, 0.5f, 0.001f, 0.04f},
    {0.00f, 1.00f, Sine, 70, 28, 0.9f, 0.010f, 0.30f},
};

// The unused blip: two high notes, twice.
static const Layer blip[] = {
    {0.000f, 0.06f, Square, E6, E6, 0.5f, 0.002f, 0.0f},
    {0.075f, 0.06f, Square, A6, A6, 0.5f, 0.002f, 0.0f},
    {0.150f, 0.06f, Square, E6, E6, 0.5f, 0.002f, 0.0f},
    {0.225f, 0.06f, Square, A6, A6, 0.5f, 0.002f, 0.0f},
};

// A dodge: a band of air swelling up and rushing past.
static const Layer whoosh[] = {
    {0.00f, 0.32f, Noise, 400, 3200, 1.0f, 0.140f, 0.08f, 0, 0, 3.0f},
};

// A critical hit: a sharp crack, a burst, a heavy impact and a metal ring.
static const Layer criticalCrash[] = {
    {0.00f, 0.08f, Noise, 0, 0, 1.0f, 0.001f, 0.02f},
    {0.00f, 0.45f, Noise, 4000, 600, 0.8f, 0.001f, 0.12f, 0, 0, 1.0f},
    {0.00f, 0.30f, Sine, 180, 50, 0.9f, 0.002f, 0.08f},
    {0.01f, 0.49f, Sine, 1130, 1130, 0.20f, 0.002f, 0.15f},
    {0.01f, 0.49f, Sine, 1710, 1710, 0.15f, 0.002f, 0.15f},
    {0.01f, 0.49f, Sine, 2390, 2390, 0.10f, 0.002f, 0.15f},
};

#define LAYERS(table) table, sizeof table / sizeof table[0]

// In the order of the game's effect numbers, 1 to 13.
const EffectRecipe effectRecipes[] = {
    {"swit004.wav", "step forward", 0.60f, LAYERS(stepForward)},
    {"swit006.wav", "step back", 0.60f, LAYERS(stepBack)},
    {"success.wav", "success", 0.70f, LAYERS(success)},
    {"doku.wav", "the hero's attack", 0.75f, LAYERS(heroAttack)},
    {"dageki1.wav", "the enemy's blow", 0.85f, LAYERS(enemyBlow)},
    {"poko.wav", "victory", 0.70f, LAYERS(victoryPop)},
    {"asi3.wav", "flight", 0.70f, LAYERS(runningFeet)},
    {"heal.wav", "healing", 0.60f, LAYERS(healing)},
    {"drop.wav", "lowered", 0.65f, LAYERS(lowered)},
    {"bokaan.wav", "explosion", 0.90f, LAYERS(explosion)},
    {"pikopiko.wav", "blip", 0.40f, LAYERS(blip)},
    {"avoid.wav", "dodge", 0.60f, LAYERS(whoosh)},
    {"bokan2.wav", "critical hit", 0.90f, LAYERS(criticalCrash)},
};
const int effectRecipeCount = sizeof effectRecipes / sizeof effectRecipes[0];
